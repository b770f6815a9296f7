int a, b, p;
main(){
  a = 6;
  b = 7;
  p = a * b;
  printf("%d\n", p);
}
