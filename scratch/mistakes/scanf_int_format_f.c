float prix;
int quantite;
main()
{
  scanf("%f", &prix);
  scanf("%f", &quantite);
  printf("%d\n", quantite);
}
