char nom[20], phrase[40];
main()
{
  gets(nom);
  phrase = "Bonjour " + nom + " !";
  puts(phrase);
}
