int i
main()
{
boucle:
i++
goto boucle
}
