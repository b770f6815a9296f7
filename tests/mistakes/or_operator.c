int a;
main()
{
  a = 3;
  if (a < 0 || a > 10)
    puts("hors");
  puts("fin");
}
