int a;
main()
{
  a = 3;
  if (a => 0)
    puts("positif");
  puts("fin");
}
