int x;
main()
{
  x = 1;
  if (x == 1)
    exit(0);
  puts("pas ici");
}
