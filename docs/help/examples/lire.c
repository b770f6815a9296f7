int age;
float taille;
char initiale, nom[30];
main()
{
  printf("Votre âge ? ");
  scanf("%d", &age);
  printf("Votre taille ? ");
  scanf("%f", &taille);
  printf("Votre initiale ? ");
  scanf("%c", &initiale);
  printf("Votre prénom ? ");
  scanf("%s", &nom);
  age = age + 1;
  printf("%d\n", age);
}
