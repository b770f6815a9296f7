float r, z;
int a, b;
main()
{
  a = 7;
  b = a % 1;
  puts("avant");
  r = 1,5;
  r = r / z;
  puts("jamais");
}
