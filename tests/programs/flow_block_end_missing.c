int i
main()
{
while (i < 3)
{
i++
