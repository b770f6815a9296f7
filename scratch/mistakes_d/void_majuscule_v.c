Void afficher()
{
  puts("menu");
}
main()
{
  afficher();
}
