int n, somme, moyenne, x;
main()
{
  somme = 0;
  n = 0;
  scanf("%d", &x);
  while (x != 0)
  {
    somme = somme + x;
    n++;
    scanf("%d", &x);
  }
  moyenne = somme / n;
  printf("%d\n", moyenne);
}
