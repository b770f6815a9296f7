int i, s
void ajoute()
{
s = s + i
}
main()
{
s = 0
for (i=1; i<=200000; i++)
ajoute();
printf("%d\n", s)
}
