int a, b, max;
main()
{
  scanf("%d", &a);
  scanf("%d", &b);
  max = b;
  if (a > b) max = a;
  printf("%d\n", max);
}
