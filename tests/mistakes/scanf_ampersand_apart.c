int n;
main()
{
  scanf("%d", & n);
  printf("%d\n", n);
}
