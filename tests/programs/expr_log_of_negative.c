float r
main()
{
r = LOG(-1)
}
