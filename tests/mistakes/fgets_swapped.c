file f;
char s[40];
main()
{
  f=fopen("a.txt","w");
  fputs("x", f);
  fclose(f);
  f=fopen("a.txt","r");
  fgets(s, f);
  puts(s);
  fclose(f);
}
