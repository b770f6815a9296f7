/* Chaînes de caractères */
char nom[30], salut[40], c
int n
main()
{
  nom = "Dupont"
  salut = "Bonjour " + nom
  puts(salut)
  strcat(salut, " !")
  puts(salut)
  salut = TOUPPER(salut)
  puts(salut)
  n = STRLEN(nom)
  printf("%d\n", n)
  c = ITOA(65)
  printf("%c\n", c)
}
