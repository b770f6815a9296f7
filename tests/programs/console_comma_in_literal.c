main()
{
printf("a,b")
}
