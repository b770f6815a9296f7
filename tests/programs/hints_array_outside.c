int a, t[5], n, m, i, x;
main()
{
  a = 7;
  n = 1;
  for (i=1; i<=7; i++)
  {
    t[i] = i * 10;
  }
  x = t[0];
  printf("%d\n", n);
  printf("%d\n", m);
  printf("%d\n", x);
  x = t[5];
  printf("%d\n", x);
}
