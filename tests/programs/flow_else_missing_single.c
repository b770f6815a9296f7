int x
main()
{
if (x > 1)
puts("a")
puts("b")
}
