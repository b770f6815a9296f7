int i, n;
main()
{
  for (i=1; i<=3; i++)
    printf("%d\n", i);
  printf("%d\n", i);
  n = 3;
  for (i=n; i>=1; i--)
  {
    printf("%d", i);
    printf("...");
  }
  puts("partez !");
}
