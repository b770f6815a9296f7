int a, b, c, x;
main()
{
  a = 1;
  b = 2;
  c = 3;
  x = a + b * c;
  printf("%d\n", x);
}
