float r, v
int x
main()
{
r = 0,1
printf("%f\n", r)
v = 3,5
x = CEIL(v)
printf("%d\n", x)
v = 2,5
x = CEIL(v)
printf("%d\n", x)
r = 1 / 3
printf("%f\n", r)
r = 1000000 * 1000000000
printf("%f\n", r)
r = 1 / 100000
printf("%f\n", r)
r = SQRT(v)
printf("%f\n", r)
r = FABS(v)
printf("%f\n", r)
r = FABS(2.5)
}
