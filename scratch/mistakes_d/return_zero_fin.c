main()
{
  puts("salut");
  return 0;
}
