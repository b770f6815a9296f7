char rep[10];
main()
{
  gets(rep);
  if (STRCMP(rep, "oui") == 0)
    puts("ok");
  puts("fin");
}
