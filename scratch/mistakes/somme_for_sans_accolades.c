// somme des nombres de 1 a 5
int i, somme;
main()
{
    somme = 0;
    for (i = 1; i <= 5; i++)
        printf("%d\n", i);
        somme = somme + i;
    printf("%d\n", somme);
}
