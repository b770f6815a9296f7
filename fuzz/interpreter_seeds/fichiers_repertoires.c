/* Fichiers, répertoires et imprimante */
file f, g
char s[40], nom[20], mode[5]
int i
main()
{
  mkdir "rep";
  chdir "rep";
  nom = "a.txt"
  mode = "w"
  f=fopen(nom, mode);
  fputs("première", f);
  i = 42
  fputs(i, f);
  fclose(f);
  g=fopen("a.txt","r+t");
  while (!feof(g))
  {
    fgets(g, s);
    puts(s)
  }
  if (feof(g))
    fclose(g);
  g=fopen("a.txt","r");
  fgets(g, 80, s);
  fclose(g);
  mkdir "vide";
  rmdir "vide";
  f=fopen(PRN:,"w");
  fputs("imprimé", PRN:);
  fputs(i, prn:);
  fclose(PRN:);
  fclose(f);
}
