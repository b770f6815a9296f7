main()
{
  puts("Appuyez sur une touche");
  getch();
  puts("fin");
}
