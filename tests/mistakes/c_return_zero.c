int x;
main()
{
  x = 2;
  printf("%d\n", x);
  return 0;
}
