int x;
main()
{
  x = 1;
  if(x > 0)
    puts("positif");
  puts("fin");
}
