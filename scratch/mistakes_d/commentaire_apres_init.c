int x;
main()
{
  x = 0; /* init */
  x++;
  printf("%d\n", x);
}
