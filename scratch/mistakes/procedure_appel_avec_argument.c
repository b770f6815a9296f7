int n;
void carre()
{
  n = n * n;
}
main()
{
  n = 4;
  carre(n);
  printf("%d\n", n);
}
