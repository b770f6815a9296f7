file f;
main()
{
  f = fopen("notes.txt","w");
  fputs("bonjour", f);
  fclose(f);
}
