int t[3];
int s;
main()
{
   t[0] = 4;
   t[1] = 5;
   t[2] = 6;
   s = t[1] + t[2];
   printf("%d\n", s);
}
