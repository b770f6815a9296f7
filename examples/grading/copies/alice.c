/* Table de multiplication : titre lu dans titre.txt, puis n x 1 à n x 5 */
file f
char titre[80]
int n, i, r
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
    r = n * i
    printf("%d", n)
    printf(" x ")
    printf("%d", i)
    printf(" = ")
    printf("%d\n", r)
  }
}
