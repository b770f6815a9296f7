int i
»void dit()
{
  »printf("dans dit\n")
}
main()
{
puts("a")
•puts("b")
  » dit()
for (i=1; i<=2; i++)
»{
 » • printf("%d\n", i)
»}
»if (i == 3)
  »puts("c")
else
  puts("pas c")
}
