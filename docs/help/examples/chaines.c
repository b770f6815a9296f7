char nom[20], salut[40], c;
int code;
main()
{
  nom = "Dupont";
  salut = "Bonjour " + nom;
  puts(salut);
  salut = "Cher " + 'M';
  puts(salut);
  c = "xyz";
  printf("%c\n", c);
  // un char n'est pas une chaîne : passer par son code
  code = ATOI(c);
  salut = "lettre " + ITOA(code);
  puts(salut);
}
