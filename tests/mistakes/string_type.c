string nom;
main()
{
  nom = "Alice";
  puts(nom);
}
