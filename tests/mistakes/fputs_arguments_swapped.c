file f;
main()
{
  f=fopen("sortie.txt","w+t");
  fputs(f, "bonjour");
  fclose(f);
}
