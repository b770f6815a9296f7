int x
main()
{
x = (1+2)
}
