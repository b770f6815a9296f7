int i;
main()
{
  for (i=1; i<=100; i++)
  {
    if (i == 4)
      break;
    printf("%d\n", i);
  }
  printf("%d\n", i);
}
