// 1,000,000 passes as 10 texts of 100,000 pieces: one text holds at most 1,000,000
// characters.
int i, j, n
char s[2]
main()
{
for (j=1; j<=10; j++)
{
s = ""
for (i=1; i<=100000; i++)
s = s + "abcdefghi"
n = n + strlen(s)
}
printf("%d\n", n)
}
