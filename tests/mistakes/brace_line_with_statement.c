int x;
main()
{
  x = 5;
  if (x > 0)
  { puts("positif");
    x = 0;
  };
  printf("%d\n", x);
}
