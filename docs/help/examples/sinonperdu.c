// Avec un ; après puts("un"), la ligne else ne sert plus à rien
int x;
main()
{
  x = 0;
  if (x == 1)
    puts("un");
  else
    puts("autre");
  puts("fin");
}
