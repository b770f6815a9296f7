int somme, x;
main()
{
  somme = 0;
  scanf("%d", &x);
  Somme = somme + x;
  printf("%d\n", somme);
}
