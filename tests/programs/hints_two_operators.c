int a, b, c, x
main()
{
x = a+b*c
}
