int x;
main()
{
  x = 3;
  puts("Resultat : ", x);
}
