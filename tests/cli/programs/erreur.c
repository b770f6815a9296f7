/* S'arrête sur une division par zéro */
int n, d, z
main()
{
  printf("Nombre ? ")
  scanf("%d", &n)
  z = 0
  d = n / z
  printf("%d\n", d)
}
