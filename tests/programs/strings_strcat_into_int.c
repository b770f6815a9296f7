int n
main()
{
n = 5
strcat(n, "1")
printf("%d\n", n)
}
