int n;
float r;
char c, s[30];
main()
{
  printf("Bonjour\n");
  printf("sur ");
  printf("une ligne\n");
  n = 42;
  printf("%d\n", n);
  r = 3,25;
  printf("%f\n", r);
  c = 'z';
  printf("%c\n", c);
  s = "texte";
  printf("%s\n", s);
  printf(s);
  printf("\n");
}
