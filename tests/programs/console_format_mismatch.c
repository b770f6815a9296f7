int x
main()
{
printf("x=%d\n", x)
}
