int a;
{
  a = 1;
  printf("%d\n", a);
}
