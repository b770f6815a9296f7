Int x;
main()
{
  x = 2;
  printf("%d\n", x);
}
