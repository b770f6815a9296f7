// Un programme complet : déclarations, puis main() et son bloc
#include <stdio.h>
int age;
char nom[20];
main()
{
  /* les instructions, une par ligne */
  nom = "Léa";
  age = 12;
  printf("Bonjour ");
  puts(nom);
  printf("%d\n", age);
}
