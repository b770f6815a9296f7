file f;
main()
{
  f=fopen("b.txt","w");
  fputs("x", f);
  fclose(f);
  f=fopen("b.txt","r");
  fputs("y", f);
  fclose(f);
}
