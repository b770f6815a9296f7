int i;
main()
{
  i = 0;
  do
  {
    i++;
    printf("%d\n", i);
  } while (i >= 3);
  puts("fini");
}
