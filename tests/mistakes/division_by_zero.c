int s, n, m;
main()
{
  s = 12;
  m = s / n;
  printf("%d\n", m);
}
