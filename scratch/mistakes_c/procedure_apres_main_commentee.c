int n;
main()
{
  n = 2;
  double();
  printf("%d\n", n);
}
// double la valeur de n
void double()
{
  n = n * 2;
}
