int a;
main()
{
    scanf("%d", &a);
    if (a >= 0)
        printf("%d\n", a);
    else
        puts("negatif");
}
