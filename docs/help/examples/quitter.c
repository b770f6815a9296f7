int n;
main()
{
  n = 0;
  puts("début");
  if (n == 0)
    exit;
  puts("jamais affiché");
}
