file f;
char ligne[80];
main()
{
  f=fopen("liste.txt","w+t");
  fputs("pommes", f);
  fputs("poires", f);
  fclose(f);
  f=fopen("liste.txt","r+t");
  while ( feof(f) )
  {
    fgets(f, ligne);
    puts(ligne);
  }
  fclose(f);
}
