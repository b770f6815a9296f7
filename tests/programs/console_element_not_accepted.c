int t[2]
main()
{
printf("%d", t[1])
}
