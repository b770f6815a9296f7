int x, a, b
main()
{
x = -7
printf("%d\n", x)
x = 7 / 2
printf("%d\n", x)
x = 7 % 3
printf("%d\n", x)
x = 2147483647 + 1
printf("%d\n", x)
a = 6
x = a*-3
printf("%d\n", x)
b = -a
printf("%d\n", b)
b = +a
printf("%d\n", b)
x = 5 / 0
puts("jamais")
}
