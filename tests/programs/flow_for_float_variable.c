float r
main()
{
for (r=1; r<3; r++)
}
