file f;
main()
{
  fopen("sortie.txt", "w");
  fputs("bonjour", f);
  fclose(f);
}
