int a;
main ()
{
  a = 4;
  printf("%d\n", a);
}
