int t[5];
int k;
main()
{
  for (int k = 1; k <= 5; k++)
    t[k] = 0;
  puts("fini");
}
