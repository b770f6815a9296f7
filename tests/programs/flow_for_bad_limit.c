int i
char s[5]
main()
{
s = "abc"
for (i=1; i<s; i++)
}
