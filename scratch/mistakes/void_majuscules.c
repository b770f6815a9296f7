VOID titre()
{
  puts("*** Mon programme ***");
}
main()
{
  titre();
  puts("Bonjour");
}
