/* Recherche d'un prénom dans prenoms.txt : version juste */
file f;
char nom[40], ligne[40];
int numero, trouve;
main()
{
  printf("Prénom ? ");
  gets(nom);
  numero = 0;
  trouve = 0;
  f=fopen("prenoms.txt","r+t");
  while (!feof(f))
  {
    fgets(f, ligne);
    numero = numero + 1;
    if (ligne == nom)
      trouve = numero;
  }
  fclose(f);
  printf("%s", nom);
  if (trouve == 0)
    printf(" est absent\n")
  else
  {
    printf(" est à la ligne ");
    printf("%d\n", trouve);
  };
}
