int note, somme, k;
main()
{
  somme = 0;
  for (k=1; k<=3; k++)
  {
    scanf("%d", &note);
    somme += note;
  }
  printf("%d\n", somme);
}
