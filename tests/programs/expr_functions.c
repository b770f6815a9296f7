int x
char s[10]
main()
{
s = "bonjour"
x = STRLEN(s)
printf("%d\n", x)
x = STRCHR(s, 'j')
printf("%d\n", x)
x = STRCMP(s, "bonjour")
printf("%d\n", x)
x = ATOI('A')
printf("%d\n", x)
x = ABS(-2147483647)
printf("%d\n", x)
x = RAND(1)
printf("%d\n", x)
x = STRCMP(s)
}
