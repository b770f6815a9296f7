void affiche()
{
  puts("bonjour");
}
main()
{
  Affiche();
}
