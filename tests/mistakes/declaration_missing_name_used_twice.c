int a, b;
main()
{
  a = 6;
  b = 7;
  resultat = a * b;
  printf("%d\n", resultat);
}
