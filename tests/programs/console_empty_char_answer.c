char c
main()
{
c = 'a'
scanf("%c", &c)
}
