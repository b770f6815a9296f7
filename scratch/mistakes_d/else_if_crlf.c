int x;
main()
{
  scanf("%d", &x);
  if (x > 100)
    puts("grand")
  else if(x > 10)
    puts("moyen")
  else
    puts("petit");
}
