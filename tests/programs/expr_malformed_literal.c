int x
main()
{
x = -7 / 2
}
