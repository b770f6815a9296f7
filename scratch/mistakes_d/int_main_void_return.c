int n;
int main(void)
{
  n = 1;
  printf("%d\n", n);
}
