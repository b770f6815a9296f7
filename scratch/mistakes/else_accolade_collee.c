int x;
main()
{
  scanf("%d", &x);
  if (x > 0)
  {
    puts("positif");
  } else
  {
    puts("negatif ou nul");
  }
}
