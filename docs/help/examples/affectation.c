int a, b, x;
main()
{
  a = 17;
  b = 5;
  x = a + b;
  printf("%d\n", x);
  x = a - b;
  printf("%d\n", x);
  x = a * b;
  printf("%d\n", x);
  x = a / b;
  printf("%d\n", x);
  x = a % b;
  printf("%d\n", x);
  x = -a;
  printf("%d\n", x);
}
