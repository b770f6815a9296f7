int n;
main()
{
  n = 1;
  while (n < 50)
    printf("%d\n", n);
    n = n * 2;
  }
  puts("fini");
}
