int x
main()
{
x = -5
if (x < 3)
puts("vrai")
else
puts("faux")
if ("b" < "ab")
puts("b avant ab");
}
