double x;
main()
{
  x = 1,5;
  printf("%f\n", x);
}
