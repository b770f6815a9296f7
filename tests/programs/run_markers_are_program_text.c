main()
{
puts("a")
•puts("b")
}
