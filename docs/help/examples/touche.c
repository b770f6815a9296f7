char c;
main()
{
  puts("Appuyez sur une touche");
  c = getch();
  printf("Touche : ");
  printf("%c\n", c);
}
