int x;
principal()
{
  x = 1;
}
