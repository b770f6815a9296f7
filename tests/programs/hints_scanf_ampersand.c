int x
main()
{
scanf("%d", x)
}
