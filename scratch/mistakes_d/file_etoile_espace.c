FILE * out;
main()
{
  out=fopen("o.txt","w");
  fputs("x", out);
  fclose(out);
}
