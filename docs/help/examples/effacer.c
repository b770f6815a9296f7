main()
{
  puts("avant");
  clrscr;
  puts("après");
}
