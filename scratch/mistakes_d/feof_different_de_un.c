file fichier;
char l[50];
main()
{
  fichier=fopen("x.txt","w");
  fputs("un", fichier);
  fclose(fichier);
  fichier=fopen("x.txt","r");
  while (feof(fichier) != 1)
  {
    fgets(fichier, l);
    puts(l);
  }
  fclose(fichier);
}
