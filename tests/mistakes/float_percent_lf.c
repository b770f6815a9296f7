float r;
main()
{
  r = 1,5;
  printf("%lf\n", r);
}
