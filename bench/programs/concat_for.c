int i, n
char s[2]
main()
{
s = ""
for (i=1; i<=100000; i++)
s = s + "abcdefghi"
n = strlen(s)
printf("%d\n", n)
}
