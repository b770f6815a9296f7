int t[3];
int i;
main()
{
  for (i=0; i<=2; i++)
    t[i] = 1;
  puts("fin");
}
