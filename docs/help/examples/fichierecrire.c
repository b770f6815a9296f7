file f;
int n;
main()
{
  f=fopen("notes.txt","w+t");
  fputs("Liste des notes", f);
  n = 15;
  fputs(n, f);
  fclose(f);
  puts("notes.txt est écrit");
}
