/* Cherche le titre dans un fichier qui n'existe pas */
file f
char titre[80]
int n
main()
{
  f=fopen("entete.txt","r")
  fgets(f, titre)
  puts(titre)
  printf("Nombre ? ")
  scanf("%d", &n)
}
