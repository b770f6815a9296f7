int a, b, ecart;
main()
{
  scanf("%d", &a);
  scanf("%d", &b);
  ecart = abs(a-b);
  printf("%d\n", ecart);
}
