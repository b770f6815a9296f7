file f;
char ligne[80];
main()
{
  f=fopen("fruits.txt","w+t");
  fputs("pomme", f);
  fputs("poire", f);
  fclose(f);
  f=fopen("fruits.txt","r+t");
  while (!feof(f))
  {
    fgets(f, ligne);
    puts(ligne);
  }
  fclose(f);
}
