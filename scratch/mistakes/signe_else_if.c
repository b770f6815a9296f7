int n;
main()
{
   scanf("%d",&n);
   if (n == 0)
      puts("nul")
   else if (n > 0)
      puts("positif")
   else
      puts("negatif");
}
