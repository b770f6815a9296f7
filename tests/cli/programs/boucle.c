/* Ne s'arrête jamais */
int n
main()
{
  n = 1
  while (n > 0)
  {
    n = 1
  }
}
