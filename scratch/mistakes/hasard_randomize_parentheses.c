int de;
main()
{
  randomize();
  de = rand(6);
  de = de + 1;
  printf("%d\n", de);
}
