file f;
main()
{
  f=fopen(PRN:,"w");
  fputs("Une ligne pour l'imprimante", PRN:);
  fclose(PRN:);
  puts("ligne envoyée à l'imprimante");
}
