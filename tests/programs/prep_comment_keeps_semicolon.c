int x; /* compteur */
main()
{
x = 1
}
