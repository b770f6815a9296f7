int x
main()
{
Integer = 5
x = 2
printf("%d\n", x)
}
