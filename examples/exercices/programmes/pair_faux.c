/* Pair ou impair : faux pour les nombres impairs négatifs */
int n, reste;
main()
{
  printf("Nombre ? ");
  scanf("%d", &n);
  reste = n % 2;
  printf("%d", n);
  if (reste != 1)
    printf(" est pair\n")
  else
    printf(" est impair\n");
}
