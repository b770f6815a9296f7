int x, i
main()
{
for (i=1; i<=5; i++)
{
x = RAND()
printf("%d\n", x)
}
x = RAND(10)
printf("%d\n", x)
}
