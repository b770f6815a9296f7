int i, s;
main()
{
  i = 1;
  s = 0;
  while (i <= 10)
  {
    s = s + i;
  }
  printf("%d\n", s);
}
