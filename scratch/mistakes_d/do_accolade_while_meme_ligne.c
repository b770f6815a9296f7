int x;
main()
{
  x = 1;
  do
  {
    x = x * 3;
  } while (x < 100);
  printf("%d\n", x);
}
