int x;
main()
{
  x = 10;
  while (x => 1)
  {
    x = x - 2;
  }
}
