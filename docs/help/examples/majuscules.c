char s[30];
main()
{
  s = TOUPPER("Bonjour");
  puts(s);
  s = TOLOWER("VOK C");
  puts(s);
  s = TOUPPER("élève");
  puts(s);
}
