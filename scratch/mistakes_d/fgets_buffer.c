file in;
char buffer[100];
main()
{
  in=fopen("i.txt","w");
  fputs("ligne", in);
  fclose(in);
  in=fopen("i.txt","r");
  fgets(buffer, 100, in);
  puts(buffer);
  fclose(in);
}
