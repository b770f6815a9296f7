int i, pairs;
main()
{
    pairs = 0;
    for (i=1; i<=6; i++)
    {
        if (i > 3)
        {
            pairs++;
        printf("%d\n", i);
    }
    printf("%d\n", pairs);
}
