int note;
main()
{
  scanf("%d", &note);
  if ((note >= 0) && (note <= 20))
    puts("note valide");
  puts("fin");
}
