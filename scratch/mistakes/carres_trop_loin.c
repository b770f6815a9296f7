int carres[10];
int k;
main()
{
  for (k=1; k<=12; k++)
  {
    carres[k] = k * k;
  }
  puts("Tableau rempli");
}
