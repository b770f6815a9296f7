// Cinq lancers d'un dé
int de, i;
main()
{
  randomize;
  for (i=1; i<=5; i++)
  {
    de = RAND(6) + 1;
    printf("%d\n", de);
  }
}
