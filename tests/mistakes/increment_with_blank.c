int i;
main()
{
  i = 0;
  while (i < 3)
  {
    printf("%d\n", i);
    i ++;
  }
}
