int n;
main()
{
  n = 3;
  n *= 2;
  printf("%d\n", n);
}
