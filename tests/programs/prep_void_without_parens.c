void affiche
{
}
main()
{
}
