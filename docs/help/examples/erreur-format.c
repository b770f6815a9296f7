int x;
main()
{
  x = 3;
  printf("x vaut %d\n", x);
}
