float moy;
main()
{
  moy = 13,25;
  printf("%.2f\n", moy);
}
