int t[10];
int n;
main()
{
  t[1] = 4;
  t[11] = 7;
  n = t[1];
  printf("%d\n", n);
}
