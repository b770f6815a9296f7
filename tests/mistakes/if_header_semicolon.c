int x;
main()
{
  x = 1;
  if (x == 2);
    puts("deux");
  puts("fin");
}
