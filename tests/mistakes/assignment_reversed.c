int x;
main()
{
  5 = x;
  printf("%d\n", x);
}
