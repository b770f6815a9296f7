Int x
main()
{
x = 1
}
