int x;
main()
{
  x = 0;
  if (x == 1)
    puts("un")
  puts("suite");
}
