// CEIL arrondit à l'entier le plus proche (les moitiés vers le pair)
float r;
int n;
main()
{
  r = 2,3;
  n = CEIL(r);
  printf("%d\n", n);
  r = 2,7;
  n = CEIL(r);
  printf("%d\n", n);
  r = 2,5;
  n = CEIL(r);
  printf("%d\n", n);
  r = 3,5;
  n = CEIL(r);
  printf("%d\n", n);
}
