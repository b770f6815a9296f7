int n;
main()
{
  n = 0;
  while (1)
  {
    n++;
    if (n > 3)
      break;
  }
  printf("%d\n", n);
}
