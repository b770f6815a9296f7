int compteur;
main()
{
  compteur = 0;   /* on part de zero */
  compteur++;
  printf("%d\n", compteur);
}
