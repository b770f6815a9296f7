main()
{
  puts "bonjour";
}
