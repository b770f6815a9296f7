int x;
main()
  x = 5;
  printf("%d\n", x);
}
