int n;
main()
{
  scanf("%d\n", &n);
  printf("%d\n", n);
}
