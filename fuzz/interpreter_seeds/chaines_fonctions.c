/* Chaînes et fonctions */
char s[40], u[40], c
int n
float r
main()
{
  s = tolower("ABC") + 'x'
  u = TOUPPER(s)
  s = datestring(currentdate())
  u = timestring(currenttime())
  strcat(s, u);
  strncat(s, "abcdef", 3);
  strcpy(u, "z");
  strncpy(u, "xyz", 2);
  n = strlen(s)
  n = strchr(s, 'a')
  n = STRCMP(s, u)
  c = itoa(65)
  n = atoi(u)
  n = abs(-5)
  r = 2,5
  n = ceil(r)
  r = sqrt(r)
  r = fabs(r)
  r = sin(r)
  r = cos(r)
  r = exp(r)
  r = log(r)
  r = r * 1,5E3
  r = r / 7
  n = 17 % 5
  n = n - 2147483647
  randomize
  n = rand(10)
  n = RAND()
  printf("%f\n", r)
  printf("%d\n", n)
  printf("%s\n", s)
  printf("%c\n", c)
}
