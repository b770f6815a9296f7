int x, y;
main()
{
  gotoxy(10, 5);
  x = 2;
  y = 3;
  gotoxy(x,y);
  puts("gotoxy accepte ces valeurs");
}
