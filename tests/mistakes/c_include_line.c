#include <stdio.h>
int x;
main()
{
  x = 1;
  printf("%d\n", x);
}
