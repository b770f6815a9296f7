file f;
char nom[30];
main()
{
  gets(nom);
  f=fopen("noms.txt","w+t");
  fprintf(f, "%s\n", nom);
  fclose(f);
}
