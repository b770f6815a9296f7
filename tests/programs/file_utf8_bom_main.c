main()
{
puts("bonjour")
}
