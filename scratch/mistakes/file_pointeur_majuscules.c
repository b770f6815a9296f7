FILE* fichier;
main()
{
  fichier=fopen("a.txt","w+t");
  fputs("bonjour", fichier);
  fclose(fichier);
}
