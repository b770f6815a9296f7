int choix;
main()
{
  scanf("%d", &choix);
  if (choix = 1)
    puts("Jouer")
  else
    puts("Quitter");
}
