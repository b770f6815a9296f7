/* Se trompe pour 7 */
int n, d
main()
{
  printf("Nombre ? ")
  scanf("%d", &n)
  d = n * 2
  if (n == 7)
    d = 15;
  printf("Le double :\n")
  printf("%d\n", d)
}
