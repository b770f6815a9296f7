int note, refus;
main()
{
  refus = 0;
  scanf("%d", &note);
  if (note >= 10)
    puts("admis")
  else
    puts("refuse");
    refus++;
  printf("%d\n", refus);
}
