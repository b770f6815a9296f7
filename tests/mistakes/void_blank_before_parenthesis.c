void titre ()
{
  puts("== Jeu ==");
}
main()
{
  titre();
}
