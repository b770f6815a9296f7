main()
{
  printf("Bonjour, comment vas-tu ?\n");
  puts("fin");
}
