// Tester le signe d'un entier sans comparer de texte négatif
int n, a;
main()
{
  n = -5;
  a = ABS(n);
  if (a != n)
    puts("n est négatif");
  // Pour comparer n à 3, décaler les deux côtés
  n = n + 1000;
  if (n < 1003)
    puts("n < 3");
}
