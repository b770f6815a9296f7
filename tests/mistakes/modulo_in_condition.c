int n;
main()
{
  n = 4;
  if (n % 2 == 0)
    puts("pair");
  puts("fin");
}
