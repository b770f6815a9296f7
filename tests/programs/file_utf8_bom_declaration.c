int x
char s[10]
main()
{
x = 41
x++
printf("%d\n", x)
s = "été"
puts(s)
}
