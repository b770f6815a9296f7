int a, b, d;
main()
{
  a = 2;
  b = 7;
  d = ABS(a - b);
  printf("%d\n", d);
}
