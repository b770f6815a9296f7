int n;
char c;
main()
{
  n = ATOI('A');
  printf("%d\n", n);
  c = 'a';
  n = ATOI(c);
  printf("%d\n", n);
}
