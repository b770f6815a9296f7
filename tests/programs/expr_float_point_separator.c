float r
main()
{
r = 2.5 * 2
printf("%f\n", r)
r = FABS(2.5)
printf("%f\n", r)
}
