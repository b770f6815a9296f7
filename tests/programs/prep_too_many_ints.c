int t[2000], u
main()
{
}
