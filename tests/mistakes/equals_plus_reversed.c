int i;
main()
{
  i = 1;
  while (i <= 3)
  {
    printf("%d\n", i);
    i =+ 1;
  }
}
