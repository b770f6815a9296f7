main()
{
gotoxy(2)
}
