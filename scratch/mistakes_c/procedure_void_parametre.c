int n;
void ligne(void)
{
  puts("----");
}
main()
{
  ligne();
  n = 1;
}
