/* Multiplie par additions successives : faux quand n est négatif */
file f
char titre[80]
int n, i, k, r
main()
{
  f=fopen("titre.txt","r")
  fgets(f, titre)
  fclose(f)
  puts(titre)
  printf("Nombre ? ")
  scanf("%d", &n)
  for (i = 1; i <= 5; i++)
  {
    r = 0
    for (k = 1; k <= n; k++)
    {
      r = r + i
    }
    printf("%d", n)
    printf(" x ")
    printf("%d", i)
    printf(" = ")
    printf("%d\n", r)
  }
}
