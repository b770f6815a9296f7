int i, j, n
void cherche()
{
  for (j=1; j<=10; j++)
  {
    if (j == 3)
      return;
    printf("%d\n", j)
  }
  puts("jamais")
}
void compte()
{
  n = 0
  while (n < 2)
    n++
}
main()
{
  file f
  for (i=1; i<=2; i++)
  {
    cherche();
    compte();
    printf("%d\n", n)
  }
  i = 0
  do
  {
    i++
    if (i == 2)
      break;
  }
  while (i>=9);
  printf("%d\n", i)
  for (i=1; i<=3; i++)
    for (j=1; j<=2; j++)
      n = n + 1
  printf("%d\n", n)
}
