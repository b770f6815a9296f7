int a;
int main(void)
{
  a = 2;
  printf("%d\n", a);
}
