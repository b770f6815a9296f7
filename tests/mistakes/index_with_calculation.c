int t[5];
int i;
main()
{
  i = 1;
  t[i+1] = 3;
  puts("fin");
}
