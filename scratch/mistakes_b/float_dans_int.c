int moyenne;
int a, b;
main()
{
  a = 9;
  b = 10;
  moyenne = a + b;
  moyenne = moyenne / 2;
  printf("%f\n", moyenne);
}
