int x;
main()
{
  x = 5;
  if (x > 3)
  {
    puts("x est grand");
    x = 3;
  }
  else
  {
    puts("x est petit");
  }
  if (x == 0)
  {
    puts("x est nul");
  };
  printf("%d\n", x);
}
