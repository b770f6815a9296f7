int n;
main()
{
  n = 1;
  while (n < 4) {
    printf("%d\n", n);
    n++;
  }
  puts("fin");
}
