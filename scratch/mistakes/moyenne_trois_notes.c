int n1, n2, n3, moy;
main()
{
  scanf("%d", &n1);
  scanf("%d", &n2);
  scanf("%d", &n3);
  moy = (n1 + n2 + n3) / 3;
  printf("%d\n", moy);
}
