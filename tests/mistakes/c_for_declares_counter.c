int i, s;
main()
{
  s = 0;
  for (int i=1; i<=3; i++)
    s = s + 2;
  printf("%d\n", s);
}
