/* Les boucles : for, while et do ... while */
int i, somme
main()
{
  somme = 0
  for (i=1; i<=10; i++)
    somme = somme + i
  printf("Somme de 1 à 10 : ")
  printf("%d\n", somme)
  i = 1
  while (i < 8)
  {
    printf("%d\n", i)
    i = i + 3
  }
  i = 0
  do
  {
    i++
  }
  while (i>=5);
  printf("%d\n", i)
}
