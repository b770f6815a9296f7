// nop ne fait rien : ici, une boucle qui ne fait que compter
int i;
main()
{
  for (i=1; i<=3; i++)
    nop;
  printf("%d\n", i);
}
