/* Procédures sans paramètres, appelées depuis une boucle */
int i, carre
void affiche()
{
  carre = i * i
  printf("%d\n", carre)
}
main()
{
  for (i=1; i<=5; i++)
    affiche();
  puts("Terminé")
}
