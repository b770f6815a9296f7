int i, s, n
void affiche()
{
printf("dans affiche\n")
}
main()
{
for (i=1; i<=3; i++)
{
affiche();
printf("%d\n", i)
}
printf("%d\n", i)
s = 0
for (i=10; i>0; i--)
s = s + i
printf("%d\n", s)
i = 0
do
{
i++
}
while (i>=3);
printf("%d\n", i)
i = 0
while (i < 5)
{
i++
if (i == 3)
break;
}
printf("%d\n", i)
if (i > 1)
printf("vrai\n")
else
printf("faux\n")
goto fin
printf("jamais\n")
fin:
puts("fin")
}
printf("après le bloc\n")
