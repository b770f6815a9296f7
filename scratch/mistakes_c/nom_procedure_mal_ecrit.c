void affiche()
{
  puts("salut");
}
main()
{
  afiche();
}
