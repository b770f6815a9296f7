int i, j;
main()
{
  for (i=1; i<=2; i++)
    for (j=1; j<=2; j++)
      printf("%d\n", j);
  }
  puts("fin");
}
