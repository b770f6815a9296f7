int i;
main()
{
  ligne();
  puts("Menu");
  ligne();
}
/* trace une ligne */
void ligne()
{
  for (i=1; i<=3; i++)
    printf("-");
  printf("\n");
}
