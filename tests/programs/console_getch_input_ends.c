char s[20]
int n
main()
{
lire:
s = "<" + getch()
printf("%s\n", s)
n++
goto lire
}
