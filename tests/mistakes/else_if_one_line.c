int n;
main()
{
  n = 0;
  if (n > 0)
    puts("positif")
  else if (n == 0)
    puts("nul");
  puts("fin");
}
