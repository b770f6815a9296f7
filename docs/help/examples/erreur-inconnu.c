int x;
main()
{
  y = 5;
}
