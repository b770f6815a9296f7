/* Oublie d'avancer i : la boucle ne finit jamais et écrit sans fin */
int n, i, r
main()
{
  printf("Nombre ? ")
  scanf("%d", &n)
  i = 1
  while (i <= 5)
  {
    puts("Calcul de la ligne suivante de la table de multiplication...")
    r = n * i
  }
  printf("%d\n", r)
}
