void main()
{
  puts("bonjour");
}
