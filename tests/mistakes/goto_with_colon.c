int n;
main()
{
  n = 1;
  goto fin:;
  puts("saute");
  fin:
  puts("fin");
}
