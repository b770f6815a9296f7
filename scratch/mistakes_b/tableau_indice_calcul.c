int t[5];
int i;
main()
{
  for (i=1; i<=4; i++)
    t[i+1] = i;
  puts("ok");
}
