int a, b;
main()
{
  a = 3;
  b = 4;
  if (a > 0 && b > 0)
    puts("positifs");
  puts("fin");
}
