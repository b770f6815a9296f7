int i, n
char s[2]
main()
{
s = ""
for (i=1; i<=1000000; i++)
strcat(s, "x")
n = strlen(s)
printf("%d\n", n)
}
