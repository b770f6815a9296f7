int n;
Void affiche()
{
  printf("%d\n", n);
}
main()
{
  n = 4;
  affiche();
}
