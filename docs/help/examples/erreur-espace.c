int i;
main()
{
  for(i=1; i<=3; i++)
    puts("tour");
}
