int n;
main()
{
    scanf("%d", &n);
    if (n > 10)
    {
        puts("grand");
    };
    }
    puts("fin");
}
