int choix;
void menu()
{
  puts("1 jouer");
  puts("2 quitter");
}
main()
{
  menu;
  scanf("%d", &choix);
}
