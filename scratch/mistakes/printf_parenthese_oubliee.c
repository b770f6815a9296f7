main()
{
  printf("Bonjour\n";
  puts("fin");
}
