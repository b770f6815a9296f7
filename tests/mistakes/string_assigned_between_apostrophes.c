char nom[20];
main()
{
  nom = 'Alice';
  puts(nom);
}
