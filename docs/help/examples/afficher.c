char s[30];
main()
{
  puts("Première ligne");
  s = "Deuxième ligne";
  puts(s);
  puts("");
  puts("après une ligne vide");
}
