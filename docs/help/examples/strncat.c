char s[40];
main()
{
  s = "abc";
  strncat(s, "defghi", 2);
  puts(s);
  strncpy(s, "xyz", 1);
  puts(s);
}
