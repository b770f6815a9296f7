int n, somme;
main()
{
  somme = 0;
  printf("Nombre (0 pour finir) ");
  scanf("%d", &n);
  while (n != 0)
  {
    somme = somme + n;
  }
  printf("%d\n", somme);
}
