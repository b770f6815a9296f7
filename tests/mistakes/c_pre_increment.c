int i;
main()
{
  i = 1;
  ++i;
  printf("%d\n", i);
}
