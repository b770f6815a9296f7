int s, n;
float m;
main()
{
  s = 7;
  n = 2;
  m = s / n;
  puts("fin");
}
