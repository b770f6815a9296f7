int t[3], k
main()
{
t[1] = 4
k = 3
t[k] = 9
k = t[1]
printf("%d\n", k)
k = t[3]
printf("%d\n", k)
k = t[0]
}
