int i;
main()
{
  i = 4;
  i++;
  printf("%d\n", i);
  i--;
  i--;
  printf("%d\n", i);
}
