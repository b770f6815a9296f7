/* Ouvre trois fichiers, puis écrit 9 Mo dans chacun */
file f, g, h
char s[1001]
int i
main()
{
  s = "0123456789012345678901234567890123456789012345678901234567890123456789012345678901234567890123456789"
  for (i = 1; i <= 3; i++)
  {
    s = s + s
  }
  f=fopen("a.txt","w")
  g=fopen("b.txt","w")
  h=fopen("c.txt","w")
  for (i = 1; i <= 11200; i++)
  {
    fputs(s, f)
  }
  puts("second")
  for (i = 1; i <= 11200; i++)
  {
    fputs(s, g)
  }
  puts("troisième")
  for (i = 1; i <= 11200; i++)
  {
    fputs(s, h)
  }
  puts("fini")
}
