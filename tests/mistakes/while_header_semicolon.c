int n;
main()
{
  n = 1;
  while (n < 3);
    n++;
  printf("%d\n", n);
}
