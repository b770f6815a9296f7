/* Travaille dans un sous-dossier, revient, lit la consigne copiée, imprime */
file f
int n, d
char s[80]
main()
{
  mkdir "travail";
  chdir "travail";
  f=fopen("brouillon.txt","w")
  fputs("essai", f)
  fclose(f)
  chdir "..";
  f=fopen("consigne.txt","r")
  fgets(f, s)
  fclose(f)
  f=fopen(PRN:,"w")
  fputs("pour l'imprimante", PRN:)
  fclose(PRN:)
  printf("Nombre ? ")
  scanf("%d", &n)
  d = n * 2
  printf("Le double :\n")
  printf("%d\n", d)
}
