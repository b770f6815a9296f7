int n;
main()
{
  n = 7;
  printf("%d\n" n);
}
