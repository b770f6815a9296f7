char prenom[20];
main()
{
  scanf("%s", prenom);
  puts(prenom);
}
