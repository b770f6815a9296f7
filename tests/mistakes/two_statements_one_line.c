int a, b, s;
main()
{
  a = 5; b = 3;
  s = a + b;
  printf("%d\n", s);
}
