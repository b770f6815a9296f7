float prix;
main()
{
  prix = 2,5;
  printf("%f\n", &prix);
}
