// Calculer a + b * c : une opération par ligne
int a, b, c, x;
main()
{
  a = 2;
  b = 3;
  c = 4;
  x = b * c;
  x = a + x;
  printf("%d\n", x);
}
