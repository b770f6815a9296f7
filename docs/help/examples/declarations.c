int n, t[5];
float prix;
char lettre, mot[30];
file f;
main()
{
  n = 3;
  prix = 2,5;
  lettre = 'A';
  mot = "bonjour";
  printf("%d\n", n);
  printf("%f\n", prix);
  printf("%c\n", lettre);
  printf("%s\n", mot);
}
