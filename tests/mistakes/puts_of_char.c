char c;
main()
{
  c = 'a';
  puts(c);
}
