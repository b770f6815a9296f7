int n;
main()
{
  scnaf("%d", &n);
  printf("%d\n", n);
}
