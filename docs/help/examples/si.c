int note;
main()
{
  note = 15;
  if (note >= 10)
    puts("Reçu");
  if (note == 20)
    puts("Parfait");
  puts("Fin");
}
