int i, s
main()
{
  for (i=1; i<=5000000; i++)
    s = s + 1
}
