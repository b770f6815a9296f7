main()
{
  clrscr();
  puts("ecran propre");
}
