int i, n
char s[20]
main()
{
i = 0
n = 0
while (i < 200000)
{
i++
if (i > 100000)
n++
else
n = n + 2
s = "ab" + "c"
}
printf("%d\n", n)
}
