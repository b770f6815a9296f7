int j, m, a;
main()
{
  j = 14;
  m = 7;
  a = 1789;
  printf("%d/%d/%d\n", j, m, a);
}
