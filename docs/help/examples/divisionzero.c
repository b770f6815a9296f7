// Une division par zéro arrête le programme, sans message
int a, b, x;
main()
{
  a = 5;
  b = 0;
  puts("avant");
  x = a / b;
  puts("jamais affiché");
}
