int note;
main()
{
  note = 8;
  if (note >= 10)
    puts("Reçu")
  else
    puts("Ajourné");
  puts("Fin");
}
