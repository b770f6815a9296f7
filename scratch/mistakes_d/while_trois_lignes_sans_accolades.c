int n, s;
main()
{
	n = 1;
	s = 0;
	while (n <= 4)
		s = s + n;
		printf("%d\n", s);
		n++;
	printf("%d\n", s);
}
