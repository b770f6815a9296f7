/* if / else : la branche "alors" sans point-virgule annonce un else */
int note
main()
{
  note = 14
  if (note >= 10)
    puts("Reçu")
  else
    puts("Ajourné")
  if (note == 20)
  {
    puts("Parfait !")
  };
  puts("Fin")
}
