int prix, total, i;
main()
{
    total = 0;
    for (i=1; i<=3; i++)
    {
        scanf("%d", &prix);
        total+=prix;
    }
    printf("%d\n", total);
}
