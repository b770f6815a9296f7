int i, s;
main()
{
  s = 0;
  for (i=1; i<=10; i+=1)
    s = s + i;
  printf("%d\n", s);
}
