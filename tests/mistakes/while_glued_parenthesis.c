int n;
main()
{
  n = 1;
  while(n < 4)
    n++;
  printf("%d\n", n);
}
