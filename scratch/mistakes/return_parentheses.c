int n;
main()
{
  n = 4;
  printf("%d\n", n);
  return(0);
}
