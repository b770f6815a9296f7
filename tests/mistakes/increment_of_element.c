int compte[3];
int n;
main()
{
  n = 2;
  compte[n]++;
  n = compte[2];
  printf("%d\n", n);
}
