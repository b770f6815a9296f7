int x;
main()
{
  x = 5; // le depart
  printf("%d\n", x);
}
