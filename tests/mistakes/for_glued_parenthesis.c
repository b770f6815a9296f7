int i;
main()
{
  for(i=1; i<=2; i++)
    puts("tour");
}
