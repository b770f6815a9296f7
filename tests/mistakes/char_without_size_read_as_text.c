char nom;
main()
{
  printf("Ton nom ? ");
  gets(nom);
  printf("%s\n", nom);
}
