int n;
main()
{
  n = 1;
  while (n < 100)
  {
    printf("%d\n", n);
    n = n * 3;
  }
  puts("fini");
}
