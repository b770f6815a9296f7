/* Oublie d'avancer i : la boucle ne finit jamais */
int n, i, r
main()
{
  printf("Nombre ? ")
  scanf("%d", &n)
  i = 1
  while (i <= 5)
  {
    r = n * i
    printf("%d\n", r)
  }
}
