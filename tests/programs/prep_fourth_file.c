file f, g, h, i
main()
{
}
