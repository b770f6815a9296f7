int a, b;
main()
{
  a = 2;
  b = 3;
  printf("%d %d\n", a, b);
}
