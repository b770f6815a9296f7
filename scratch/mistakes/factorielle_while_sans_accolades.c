int n, f;
main()
{
	scanf("%d", &n);
	f = 1;
	while (n > 1)
		f = f * n;
		n--;
	printf("%d\n", f);
}
