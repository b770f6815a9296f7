main()
{
gets(nom)
}
