/* Écrit deux fichiers de 6 Mo : le second dépasse ce qu'une exécution peut écrire */
file f
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
  for (i = 1; i <= 7500; i++)
  {
    fputs(s, f)
  }
  fclose(f)
  f=fopen("b.txt","w")
  for (i = 1; i <= 7500; i++)
  {
    fputs(s, f)
  }
  fclose(f)
  puts("fini")
}
