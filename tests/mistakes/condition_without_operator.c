int n;
main()
{
  n = 1;
  if (n)
    puts("non nul");
  puts("fin");
}
