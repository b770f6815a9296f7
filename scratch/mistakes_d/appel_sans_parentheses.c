void afficher()
{
  puts("menu");
}
main()
{
  afficher;
}
