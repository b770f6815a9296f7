char s[20]
int n
main()
{
lire:
gets(s)
n++
goto lire
}
