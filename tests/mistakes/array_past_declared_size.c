int t[5];
int i;
main()
{
  for (i=1; i<=5; i++)
    t[i] = i;
  t[6] = 0;
  puts("fin");
}
