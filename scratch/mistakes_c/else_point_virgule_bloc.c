int x;
main()
{
  scanf("%d", &x);
  if (x > 5)
  {
    puts("grand");
  }
  else;
  {
    puts("petit");
  }
}
