int total, i;
main()
{
  total = 0;
  for (i=1; i<=3; i++)
    total = total + i;
  printf("%d\n", totale);
}
