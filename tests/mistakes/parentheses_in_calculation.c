int a, b, m;
main()
{
  a = 4;
  b = 6;
  m = (a + b) / 2;
  printf("%d\n", m);
}
