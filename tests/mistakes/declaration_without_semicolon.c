int a, b
main()
{
  a = 1;
  b = 2;
  printf("%d\n", b);
}
