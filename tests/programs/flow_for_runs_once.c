int i
main()
{
for (i=5; i<=3; i++)
printf("%d\n", i)
printf("%d\n", i)
for (i=3; i>1; i--)
printf("%d\n", i)
}
