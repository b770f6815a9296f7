int notes[];
int i;
main()
{
  for (i=1; i<=3; i++)
    notes[i] = 10;
  puts("ok");
}
