int n;
main()
{
	n = 1;
	while (n < 100) {
		n = n * 2;
	}
	printf("%d\n", n);
}
