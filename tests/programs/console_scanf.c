int x
float r
char s[20], c
main()
{
printf("Nombre ? ")
scanf("%d", &x)
x = x * 2
printf("%d\n", x)
scanf("%f", &r)
printf("%f\n", r)
gets(s)
puts(s)
scanf("%c", &c)
printf("%c\n", c)
}
