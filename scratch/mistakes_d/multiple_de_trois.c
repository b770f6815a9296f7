int nb;
main()
{
  scanf("%d", &nb);
  if (nb % 3 == 0)
    puts("multiple de 3");
  puts("fin");
}
