// A text of 1,000,000 characters built one character at a time, another nine at a
// time; one character more is refused.
int i, n
char s[2], t[2]
main()
{
s = ""
for (i=1; i<=1000000; i++)
strcat(s, "x")
n = strlen(s)
printf("%d\n", n)
t = "a"
for (i=1; i<=111111; i++)
t = t + "abcdefghi"
n = strlen(t)
printf("%d\n", n)
t = t + "z"
puts("non")
}
