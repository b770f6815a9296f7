int t[3];
int i;
main()
{
  for (i=1; i<=3; i++)
  {
    scanf("%d", &t[i]);
  }
  puts("lu");
}
