int x, y
main()
{
x = 0
if (x>1)
y = 1
else
y = 2
printf("%d\n", y)
x = 5
if (x>1)
y = 1
else
y = 2
printf("%d\n", y)
}
