// Une espace après le signe = : fopen n'est pas reconnu
file f;
main()
{
  f = fopen("notes.txt","w+t");
  fputs("bonjour", f);
  fclose(f);
}
