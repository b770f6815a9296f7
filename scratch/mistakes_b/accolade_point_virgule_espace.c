int a, b;
main()
{
  scanf("%d", &a);
  scanf("%d", &b);
  if (a == b)
  {
    puts("egaux");
  } ;
  else
  {
    puts("differents");
  }
}
