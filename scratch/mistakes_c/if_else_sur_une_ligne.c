int a, b, max;
main()
{
  a = 4;
  b = 9;
  if (a > b) { max = a; }
  else
    max = b;
  printf("%d\n", max);
}
