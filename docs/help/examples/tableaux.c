int t[5], i, somme;
main()
{
  for (i=1; i<=5; i++)
    t[i] = i * 10;
  t[1] = 7;
  somme = 0;
  for (i=1; i<=5; i++)
    somme = somme + t[i];
  printf("%d\n", somme);
}
