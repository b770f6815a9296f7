char prenom[30];
main()
{
  printf("Prénom ? ");
  gets(prenom);
  printf("Bonjour %s\n", prenom);
}
