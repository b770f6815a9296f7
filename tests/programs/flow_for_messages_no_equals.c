int i
main()
{
for (i; i<3; i++)
}
