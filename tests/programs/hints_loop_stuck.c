int i, n, fini, s;
main()
{
  while (fini == 0)
  {
    n++;
    if (n == 20000)
    {
      fini = 1;
    };
  };
  while (fini == 1)
  {
    n++;
    if (n == 40000)
      break;
  }
  printf("%d\n", n);
  do
  {
    s = 5;
  }
  while (s < 10);
  while (i < 10)
  {
    i = 0;
    i++;
  }
  puts("jamais");
}
