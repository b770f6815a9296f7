int x;
main()
{
  x = pow(2, 3);
  printf("%d\n", x);
}
