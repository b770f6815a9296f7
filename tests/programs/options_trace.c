int x
void p()
{
x = 1
}
main()
{
p();
}
