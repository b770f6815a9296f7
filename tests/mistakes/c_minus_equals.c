int n;
main()
{
  n = 10;
  n -= 3;
  printf("%d\n", n);
}
