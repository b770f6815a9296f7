int abcdefghijklmnopqrstu
main()
{
}
