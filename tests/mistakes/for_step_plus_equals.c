int i;
main()
{
  for (i=1; i<=5; i+=2)
    printf("%d\n", i);
}
