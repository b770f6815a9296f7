int t[4];
int i, s;
main()
{
  s = 0;
  for (i=1; i<=5; i++)
    t[i] = 2;
  puts("rempli");
}
