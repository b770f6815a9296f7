file f;
char ligne[80];
main()
{
  f=fopen("texte.txt","w");
  fputs("salut", f);
  fclose(f);
  f=fopen("texte.txt","r");
  fgets(ligne, 80, f);
  puts(ligne);
  fclose(f);
}
