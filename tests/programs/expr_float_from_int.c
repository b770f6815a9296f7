int i
float r
main()
{
i = 3
r = FABS(i)
printf("%f\n", r)
r = i
}
