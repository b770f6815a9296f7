float f
main()
{
strncat(f, "2,5", 3)
printf("%f\n", f)
}
