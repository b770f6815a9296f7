int x;
main()
{
  x = 2;
  if (x > 3)
  {
    puts("grand");
    x = 3;
  };
  else
  {
    puts("petit");
  }
  printf("%d\n", x);
}
