int n, a;
float r, v;
main()
{
  n = -12;
  a = ABS(n);
  printf("%d\n", a);
  r = -2,75;
  v = FABS(r);
  printf("%f\n", v);
}
