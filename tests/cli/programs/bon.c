/* Lit un nombre et affiche son double */
int n, d
main()
{
  printf("Nombre ? ")
  scanf("%d", &n)
  d = n * 2
  printf("Le double :\n")
  printf("%d\n", d)
}
