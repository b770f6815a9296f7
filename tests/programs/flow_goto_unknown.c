main()
{
goto nulle
}
