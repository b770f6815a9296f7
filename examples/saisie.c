/* Lire un nombre et un nom au clavier */
int age
char nom[40]
main()
{
  printf("Votre nom ? ")
  gets(nom)
  printf("Votre âge ? ")
  scanf("%d", &age)
  age = age + 1
  printf("L'an prochain vous aurez ")
  printf("%d\n", age)
}
