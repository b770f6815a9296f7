main()
{
for (k=1; k<3; k++)
}
