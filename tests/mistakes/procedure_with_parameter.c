int n;
void carre(int x)
{
  n = n * n;
}
main()
{
  n = 3;
  carre();
  printf("%d\n", n);
}
