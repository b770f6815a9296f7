// fgets range un nombre dans une variable int
file f;
int n, somme;
main()
{
  f=fopen("nombres.txt","w+t");
  fputs("10", f);
  fputs("32", f);
  fclose(f);
  somme = 0;
  f=fopen("nombres.txt","r+t");
  while (!feof(f))
  {
    fgets(f, n);
    somme = somme + n;
  }
  fclose(f);
  printf("%d\n", somme);
}
