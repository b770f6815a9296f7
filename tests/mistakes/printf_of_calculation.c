int somme, n;
main()
{
  somme = 17;
  n = 4;
  printf("%d\n", somme / n);
}
