int i;
main()
{
  for (i=1, i<=3, i++)
    printf("%d\n", i);
}
