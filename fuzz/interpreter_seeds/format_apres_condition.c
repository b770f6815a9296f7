int i, n
main()
{
n = 5
for (i=1; i<=3; i++)
{
printf("%d\n", n)
if (i == 2)
n++;
printf("%d\n2, n)
}
}
