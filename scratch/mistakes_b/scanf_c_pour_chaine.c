char rep[5];
main()
{
  puts("Continuer ?");
  scanf("%c", &rep);
  puts(rep);
}
