file f;
char ligne[80];
main()
{
  f=fopen("donnees.txt","w");
  fputs("un", f);
  fputs("deux", f);
  fclose(f);
  f=fopen("donnees.txt","r");
  while (feof(f))
  {
    fgets(f, ligne);
    puts(ligne);
  }
  fclose(f);
}
