/* Lit plus de lignes que l'entrée n'en a */
char s[40]
main()
{
encore:
  gets(s)
  goto encore
}
