int n
float f
char c, s[5]
main()
{
c = 'k'
strcat(c, "x")
puts(s)
}
