char s[40];
main()
{
  s = "Bon";
  strcat(s, "jour");
  puts(s);
  strcpy(s, " !");
  puts(s);
}
