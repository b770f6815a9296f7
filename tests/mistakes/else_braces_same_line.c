int x;
main()
{
  x = 1;
  if (x > 3)
  {
    puts("grand");
  } else {
    puts("petit");
  }
  puts("fin");
}
