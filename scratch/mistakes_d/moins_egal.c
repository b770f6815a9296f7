int vies;
main()
{
  vies = 3;
  vies -= 1;
  printf("%d\n", vies);
}
