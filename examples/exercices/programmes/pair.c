/* Pair ou impair : version juste */
int n, reste;
main()
{
  printf("Nombre ? ");
  scanf("%d", &n);
  reste = n % 2;
  printf("%d", n);
  if (reste == 0)
    printf(" est pair\n")
  else
    printf(" est impair\n");
}
