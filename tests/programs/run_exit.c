main()
{
puts("a")
exit;
puts("b")
}
