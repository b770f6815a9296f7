main()
{
  puts ("bonjour");
}
