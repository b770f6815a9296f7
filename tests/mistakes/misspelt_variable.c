int compteur;
main()
{
  compteur = 0;
  conteur = compteur + 1;
  printf("%d\n", compteur);
}
