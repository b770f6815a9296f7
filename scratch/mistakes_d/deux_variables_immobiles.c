int a, b;
main()
{
  a = 1;
  b = 20;
  while (a < b)
  {
    puts("encore");
  }
}
