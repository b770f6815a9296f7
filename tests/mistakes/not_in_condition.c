int trouve;
main()
{
  trouve = 0;
  if (!trouve)
    puts("pas trouve");
  puts("fin");
}
