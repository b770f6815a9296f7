float prix;
main()
{
  prix = 12,5;
  printf("Prix : %f euros\n", prix);
}
