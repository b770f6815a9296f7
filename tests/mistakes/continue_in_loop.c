int i;
main()
{
  for (i=1; i<=5; i++)
  {
    if (i == 3)
      continue;
    printf("%d\n", i);
  }
}
