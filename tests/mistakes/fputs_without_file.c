file f;
main()
{
  f=fopen("sortie.txt","w");
  fputs("bonjour");
  fclose(f);
}
