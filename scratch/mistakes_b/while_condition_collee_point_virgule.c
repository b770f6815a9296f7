int n;
main()
{
  n = 10;
  while (n > 0);
  {
    printf("%d\n", n);
    n = n - 2;
  }
}
