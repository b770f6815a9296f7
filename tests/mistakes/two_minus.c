int x;
main()
{
  x = 10 - 3 - 2;
  printf("%d\n", x);
}
