char rep[10];
main()
{
  rep = "oui";
  if (strcmp(rep, "oui") == 0)
    puts("d'accord");
  puts("fin");
}
