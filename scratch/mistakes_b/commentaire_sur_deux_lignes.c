int n;
main()
{
  /* on lit
     le nombre */
  scanf("%d", &n);
  printf("%d\n", n);
}
