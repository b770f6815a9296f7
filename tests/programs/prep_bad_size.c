int t[0]
main()
{
}
