int n;
void verifie()
{
  if (n > 10)
    return;
  puts("n est petit");
}
main()
{
  n = 5;
  verifie();
  n = 50;
  verifie();
  puts("fin");
}
