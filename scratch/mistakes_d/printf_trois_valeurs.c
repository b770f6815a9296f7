int a, b, c;
main()
{
  a = 2;
  b = 3;
  c = a + b;
  printf("%d + %d = %d\n", a, b, c);
}
