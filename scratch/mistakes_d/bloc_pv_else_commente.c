int t;
main()
{
    scanf("%d", &t);
    if (t > 25)
    {
        // il fait chaud
        puts("chaud");
    };
    else
    {
        // il fait frais
        puts("frais");
    }
}
