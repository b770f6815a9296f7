int total;
main()
{
  total = 12;
  printf("Total : %d\n", total);
}
