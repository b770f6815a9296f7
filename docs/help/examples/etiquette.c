int i;
main()
{
  i = 0;
debut:
  i++;
  printf("%d\n", i);
  if (i < 3)
    goto debut;
  goto fin;
  puts("jamais affiché");
fin:
  puts("fin");
}
