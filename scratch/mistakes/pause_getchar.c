int x;
main()
{
  x = 3;
  printf("%d\n", x);
  puts("Appuyez sur Entree");
  getchar();
}
