main()
{
  puts("bonjour");
  system("pause");
}
