int i;
main()
{
  for (i=1; i<=3; i=i+1)
    printf("%d\n", i);
}
