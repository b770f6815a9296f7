int t[3]
main()
{
t[2001] = 1
}
