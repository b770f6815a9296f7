char nom[30];
main()
{
  puts("Nom ?");
  fgets(nom, 30, stdin);
  puts(nom);
}
