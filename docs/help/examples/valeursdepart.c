// Valeurs de départ : 0 pour les nombres, une espace pour les chaînes
int n;
float r;
char s[10];
int longueur;
main()
{
  printf("%d\n", n);
  printf("%f\n", r);
  longueur = STRLEN(s);
  printf("%d\n", longueur);
}
