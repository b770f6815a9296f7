int age;
main()
{
  age = 15;
  printf("%d\n", &age);
}
