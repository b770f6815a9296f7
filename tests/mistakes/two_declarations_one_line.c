int a; int b;
main()
{
  a = 2;
  b = 3;
  a = a + b;
  printf("%d\n", a);
}
