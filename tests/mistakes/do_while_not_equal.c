int compte;
main()
{
  compte = 0;
  do
  {
    compte = compte + 2;
    printf("%d\n", compte);
  }
  while (compte != 10);
}
