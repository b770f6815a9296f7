char rep[5];
main()
{
  puts("Tu aimes le C ?");
  gets(rep);
  if (rep == 'oui')
    puts("super")
  else
    puts("dommage");
}
