float r;
main()
{
  r = 2,5;
  printf("%d\n", r);
}
