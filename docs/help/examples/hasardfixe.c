// Sans randomize, la suite est la même à chaque lancement
int n;
main()
{
  n = RAND();
  printf("%d\n", n);
  n = RAND(100);
  printf("%d\n", n);
  n = RAND(100);
  printf("%d\n", n);
}
