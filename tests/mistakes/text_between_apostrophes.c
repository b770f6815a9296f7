main()
{
  puts('Bonjour');
  puts("fin");
}
