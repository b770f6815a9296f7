int x
main()
{
if (x)
puts("a");
}
