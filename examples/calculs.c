/* Calculs entiers et réels, fonctions mathématiques */
int a, b, r
float x, y
main()
{
  a = 17
  b = 5
  r = a / b
  printf("%d\n", r)
  r = a % b
  printf("%d\n", r)
  x = 2
  y = SQRT(x)
  printf("%f\n", y)
  y = x / 4
  printf("%f\n", y)
}
