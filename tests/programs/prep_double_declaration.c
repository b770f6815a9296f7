int x
int x
main()
{
}
