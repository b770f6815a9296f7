/* Saisies et écran */
int i
float r
char c, s[20]
main()
{
  clrscr;
  gotoxy(2, 3)
  printf("Nombre ? ")
  scanf("%d", &i)
  scanf("%f", &r)
  scanf("%c", &c)
  gets(s)
  c = getch()
  s = "<" + getch()
  puts(s)
  printf("%d\n", i)
}
