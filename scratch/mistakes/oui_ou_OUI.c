char c;
main()
{
  printf("Continuer (o/n) ? ");
  scanf("%c", &c);
  if (c == 'o' || c == 'O')
    puts("oui");
  puts("fin");
}
