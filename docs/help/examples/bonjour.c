main()
{
  printf("Bonjour tout le monde !\n");
}
