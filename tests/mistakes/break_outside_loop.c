int n;
main()
{
  n = 1;
  if (n == 1)
    break;
  puts("fin");
}
