int compteur = 0;
main()
{
  compteur++;
  printf("%d\n", compteur);
}
