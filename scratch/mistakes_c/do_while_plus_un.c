int compteur;
main()
{
  compteur = 0;
  do
  {
    compteur = compteur + 1;
    printf("%d\n", compteur);
  }
  while (compteur < 10);
}
