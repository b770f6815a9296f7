char mot[10];
main()
{
  gets(mot);
  if (strcmp(mot, "stop") != 0)
    puts("on continue");
  puts("fin");
}
