float x, r;
main()
{
  x = 2;
  r = SQRT(x);
  printf("%f\n", r);
  x = 0;
  r = SIN(x);
  printf("%f\n", r);
  r = COS(x);
  printf("%f\n", r);
  x = 1;
  r = EXP(x);
  printf("%f\n", r);
  r = LOG(r);
  printf("%f\n", r);
}
