float moyenne;
main()
{
  scanf("%f", &moyenne);
  if (moyenne >= 10)
  {
    puts("Admis");
    puts("Bravo");
  }
  puts("Fin");
}
