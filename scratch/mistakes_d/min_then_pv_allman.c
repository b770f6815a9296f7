int a, b, min;
main()
{
	scanf("%d", &a);
	scanf("%d", &b);
	if (a < b)
		min = a;
	else
		min = b;
	printf("%d\n", min);
}
