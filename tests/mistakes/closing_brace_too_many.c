int x;
main()
{
  x = 4;
  if (x > 2)
  {
    puts("grand");
  };
  };
  puts("fin");
}
