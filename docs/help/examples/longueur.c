char mot[20];
int n;
main()
{
  mot = "bonjour";
  n = STRLEN(mot);
  printf("%d\n", n);
  n = STRCHR(mot, 'j');
  printf("%d\n", n);
  n = STRCHR(mot, 'z');
  printf("%d\n", n);
  n = STRCMP(mot, "bonjour");
  printf("%d\n", n);
  n = STRCMP(mot, "Bonjour");
  printf("%d\n", n);
}
