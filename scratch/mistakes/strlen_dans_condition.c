char mot[30];
int n;
main()
{
  gets(mot);
  if (strlen(mot) > 5)
    puts("mot long");
  puts("fin");
}
