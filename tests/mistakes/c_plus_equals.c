int i;
main()
{
  i = 1;
  i += 1;
  printf("%d\n", i);
}
