int a, b, s;
main()
{
  printf("Deux nombres ? ");
  scanf("%d %d", &a, &b);
  s = a + b;
  printf("%d\n", s);
}
