float pi, r, p;
main()
{
  pi = 3.14;
  r = 2;
  p = pi * r;
  printf("%f\n", p);
}
