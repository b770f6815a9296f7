int x
float r
char c, s[5]
main()
{
printf("a\nb")
printf("Bonjour")
printf(" !\n")
x = 42
printf("%d\n", x)
r = 2,5
printf("%f", r)
printf("\n")
c = 'z'
printf("%c\n", c)
s = "mot"
printf("%s\n", s)
puts("abc\n")
printf(s)
puts("")
}
