/* Boucles, ruptures, sauts et procédures */
int i, j, t[5]
void affiche()
{
  for (j=1; j<=3; j++)
  {
    if (j == 2)
      return;
  }
}
void rien()
{
}
main()
{
  for (i=5; i>=1; i--)
  {
    t[i] = i * 2
    if (i == 2)
      break;
  }
  i = 0
  do
  {
    i++
    if (i == 2)
      break;
  }
  while (i>=3);
  while (i > 0)
  {
    i--
    if (i < 0)
    {
      puts("non")
    }
    else
      puts("oui")
  }
  affiche();
  rien();
  goto fin
  puts("jamais")
fin:
  exit;
}
