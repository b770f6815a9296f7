Float moyenne;
main()
{
  moyenne = 12,5;
  printf("%f\n", moyenne);
}
