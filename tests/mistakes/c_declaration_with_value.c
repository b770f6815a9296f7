int x = 5;
main()
{
  printf("%d\n", x);
}
