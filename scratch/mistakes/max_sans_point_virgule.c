int x, max;
main()
{
  max = 10;
  scanf("%d", &x);
  if (x > max)
    max = x
  printf("%d\n", max);
}
