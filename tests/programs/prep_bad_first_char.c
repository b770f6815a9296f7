int _x
main()
{
}
