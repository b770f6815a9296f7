int k;
main()
{
  for (int k = 1; k <= 3; k++)
    printf("%d\n", k);
}
