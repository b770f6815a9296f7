main()
{
puts("dans main")
}
puts("jamais")
