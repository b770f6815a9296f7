int i;
main()
{
  for (i=10; i>=1; i--)
    printf("%d\n", i);
  for (i=5; i>=1; i++)
    printf("%d\n", i);
  puts("partez");
}
