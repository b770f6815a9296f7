file fic;
char ligne[100];
main()
{
  fic=fopen("t.txt","w+t");
  fputs("salut", fic);
  fclose(fic);
  fic=fopen("t.txt","r+t");
  fgets(ligne, 100, fic);
  puts(ligne);
  fclose(fic);
}
