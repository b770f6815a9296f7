int a, b, max;
main()
{
  scanf("%d", &a);
  scanf("%d", &b);
  if (a > b)
  {
    max = a;
    puts("a est le plus grand");
  };
  else
  {
    max = b;
    puts("b est le plus grand");
  }
  printf("%d\n", max);
}
