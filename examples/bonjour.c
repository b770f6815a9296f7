main()
{
  printf("Bonjour tout le monde !\n");
  puts("Bienvenue dans Vok C.");
}
