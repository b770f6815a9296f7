char c;
int code;
main()
{
  c = ITOA(65);
  printf("%c\n", c);
  code = 97;
  c = ITOA(code);
  printf("%c\n", c);
}
