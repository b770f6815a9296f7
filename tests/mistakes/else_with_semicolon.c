int x;
main()
{
  x = 1;
  if (x == 2)
    puts("deux")
  else;
    puts("autre");
  puts("fin");
}
