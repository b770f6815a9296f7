int x;
main()
{
	scanf("%d", &x);
	if (x > 9) puts("grand");
	puts("fin");
}
