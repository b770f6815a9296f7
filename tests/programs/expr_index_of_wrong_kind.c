int t[3]
float k
main()
{
t[k] = 7
}
