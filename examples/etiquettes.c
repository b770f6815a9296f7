/* goto, étiquettes et break */
int i
main()
{
  i = 0
debut:
  i++
  if (i < 3)
    goto debut;
  printf("%d\n", i)
  for (i=1; i<=100; i++)
  {
    if (i == 4)
      break;
  }
  printf("%d\n", i)
}
