/* Tente d'écrire hors de son dossier */
file f
main()
{
  f=fopen("../x","w")
  fputs("dehors", f)
  fclose(f)
}
