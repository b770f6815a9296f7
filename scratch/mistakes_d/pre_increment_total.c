int total;
main()
{
  total = 1;
  ++total;
  printf("%d\n", total);
}
