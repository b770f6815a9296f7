// Une procédure s'écrit avant main() et s'appelle par son nom exact
int i, carre;
void ligne()
{
  puts("----------");
}
void affiche()
{
  carre = i * i;
  printf("%d\n", carre);
}
main()
{
  ligne();
  for (i=1; i<=3; i++)
    affiche();
  ligne();
}
