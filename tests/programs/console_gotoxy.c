int x
main()
{
x = 3
gotoxy(2,x)
puts("ok")
gotoxy(1,1)
}
