int n;
main()
{
  n = 5;
  affiche();
  puts("fin");
}
void affiche()
{
  printf("%d\n", n);
}
