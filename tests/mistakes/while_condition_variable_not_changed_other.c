int n, k;
main()
{
  n = 0;
  k = 0;
  while (n < 5)
  {
    printf("%d\n", k);
    k++;
  }
}
