main()
{
  puts("Appuie sur une touche");
  getch();
}
