int note;
main()
{
  note = 8;
  if (note >= 10)
    puts("Recu");
  else
    puts("Ajourne");
  puts("Fin");
}
