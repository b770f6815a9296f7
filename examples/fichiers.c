/* Écrire puis relire un fichier texte */
file f
char ligne[80]
main()
{
  f=fopen("exemple.txt","w+t");
  fputs("première ligne", f);
  fputs("deuxième ligne", f);
  fclose(f);
  f=fopen("exemple.txt","r+t");
  while (!feof(f))
  {
    fgets(f, ligne);
    puts(ligne)
  }
  fclose(f);
}
