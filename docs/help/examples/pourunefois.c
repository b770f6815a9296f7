// Le corps d'un for s'exécute toujours au moins une fois
int i;
main()
{
  for (i=5; i<=3; i++)
    puts("passage");
  printf("%d\n", i);
}
