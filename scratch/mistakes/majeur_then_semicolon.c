int age;
main()
{
	printf("Quel age as-tu ? ");
	scanf("%d", &age);
	if (age >= 18)
		puts("Tu es majeur");
	else
		puts("Tu es mineur");
}
