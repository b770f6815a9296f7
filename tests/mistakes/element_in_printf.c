int t[3];
int v;
main()
{
  t[1] = 4;
  printf("%d\n", t[1]);
}
