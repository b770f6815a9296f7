int compteur, i;
main()
{
  compteur = 0;
  for (i=1; i<=3; i++)
  {
    ++compteur;
  }
  printf("%d\n", compteur);
}
