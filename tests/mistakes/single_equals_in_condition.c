int x;
main()
{
  x = 5;
  if (x = 5)
    puts("cinq");
  puts("fin");
}
