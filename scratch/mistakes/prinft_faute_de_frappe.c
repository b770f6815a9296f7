main()
{
  prinft("Bonjour\n");
  puts("Au revoir");
}
