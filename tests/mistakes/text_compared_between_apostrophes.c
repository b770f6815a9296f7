char rep[10];
main()
{
  rep = "oui";
  if (rep == 'oui')
    puts("d'accord");
  puts("fin");
}
