int i
main()
{
  for (i=1; i<=100000; i++)
    printf("%d\n", i)
}
