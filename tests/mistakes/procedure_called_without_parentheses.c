int n;
void affiche()
{
  printf("%d\n", n);
}
main()
{
  n = 4;
  affiche;
}
