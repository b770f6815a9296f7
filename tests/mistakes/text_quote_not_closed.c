int n;
main()
{
  printf("Entrez un nombre : );
  scanf("%d", &n);
  printf("%d\n", n);
}
