int total;
main()
{
  total = 12;
  puts("Le total est");
  puts(total);
}
