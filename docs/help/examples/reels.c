float r, s;
int n;
main()
{
  r = 7,5;
  s = r / 2;
  printf("%f\n", s);
  n = 3;
  s = FABS(n);
  s = r * s;
  printf("%f\n", s);
  n = CEIL(s);
  printf("%d\n", n);
  r = 0,1;
  printf("%f\n", r);
}
