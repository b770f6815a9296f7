int i;
main()
{
  i = 1;
  do
  {
    printf("%d\n", i);
    i++;
  } while (i <= 5);
}
