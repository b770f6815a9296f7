float prix = 12,5;
float total;
main()
{
  total = prix * 2;
  printf("%f\n", total);
}
