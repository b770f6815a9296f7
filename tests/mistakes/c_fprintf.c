file f;
int n;
main()
{
  n = 3;
  f=fopen("res.txt","w");
  fprintf(f, "%d\n", n);
  fclose(f);
}
