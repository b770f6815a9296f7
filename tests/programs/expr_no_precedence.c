int x, a, b, c
main()
{
x = a+b*c
}
