int n;
main()
{
  for (n = 5; n >= 0; n++)
    printf("%d\n", n);
}
