int i;
main()
{
  for (i=1; i=5; i++)
    printf("%d\n", i);
}
