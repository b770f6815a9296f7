int i, trouve;
main()
{
  i = 1;
  trouve = 0;
  while (i <= 10 && trouve == 0)
  {
    if (i == 7)
      trouve = 1;
    i++;
  }
}
