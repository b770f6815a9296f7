char nom[20], prenom[20];
main()
{
  nom = "Martin";
  prenom = "Léa";
  printf("%s, ", nom);
  puts(prenom);
}
