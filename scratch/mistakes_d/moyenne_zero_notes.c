int total, nb, moy;
main()
{
  total = 0;
  nb = 0;
  moy = total / nb;
  printf("%d\n", moy);
}
