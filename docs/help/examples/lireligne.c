char phrase[80];
int n;
main()
{
  printf("Une phrase ? ");
  gets(phrase);
  n = STRLEN(phrase);
  printf("%d\n", n);
}
