/* Calcule longtemps, puis lit un nombre et affiche son double */
int n, d, i, s
main()
{
  s = 0
  for (i = 1; i <= 300000; i++)
  {
    s = s + i
  }
  printf("Nombre ? ")
  scanf("%d", &n)
  d = n * 2
  printf("Le double :\n")
  printf("%d\n", d)
}
