// La taille d'un tableau n'est pas vérifiée : t[4] écrit dans u
int t[3], u;
main()
{
  u = 8;
  t[4] = 1;
  printf("%d\n", u);
}
