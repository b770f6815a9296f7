char choix[10];
main()
{
  puts("Voulez-vous continuer ?");
  gets(choix);
  if (choix == 'non')
    puts("Au revoir")
  else
    puts("On continue");
}
