int i, s;
main()
{
  s = 0;
  for (i=1; i<=4; i++)
  {
    s = s + i;
  printf("%d\n", s);
  if (s > 5)
  {
    puts("grand");
  };
}
