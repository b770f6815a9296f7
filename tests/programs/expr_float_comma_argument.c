float r
main()
{
r = FABS(2,5)
}
