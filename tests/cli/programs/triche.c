/* Cherche la sortie attendue dans son dossier */
file f
char s[80]
main()
{
  f=fopen("1.out","r")
  fgets(f, s)
  puts(s)
}
