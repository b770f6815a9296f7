int i, s;
main()
{
s = 0;
for (i=1; i<=3; i++)
printf("%d\n", i);
s = s + i;
printf("%d\n", s);
}
