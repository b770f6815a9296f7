int nombre, reste;
main()
{
  scanf("%d", &nombre);
  if (nombre%2 == 0)
    puts("pair")
  else
    puts("impair");
}
