int a;
main()
{
  scanf("%d", &a);
  if (a > 0)
  {
    puts("positif");
  }
  }
  else
    puts("negatif ou nul");
  puts("fin");
}
