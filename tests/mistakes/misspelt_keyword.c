int x;
main()
{
  x = 1;
  print("%d\n", x);
}
