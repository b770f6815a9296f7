float notes[4];
int i;
main()
{
  for (i = 0; i < 4; i++)
  {
    notes[i] = 10;
  }
  puts("ok");
}
