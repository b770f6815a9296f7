main()
{
  clrscr();
  puts("Bienvenue");
}
