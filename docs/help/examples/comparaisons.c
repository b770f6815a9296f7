int n;
float r;
char mot[20];
main()
{
  n = 25;
  if (n > 9)
    puts("25 > 9 : vrai");
  mot = "chat";
  if (mot == "chat")
    puts("les textes sont égaux");
  if (mot != "Chat")
    puts("la casse compte");
  n = -5;
  if (n < 3)
    puts("-5 < 3 : vrai")
  else
    puts("-5 < 3 : faux !");
  r = 2,5;
  if (r > 10)
    puts("2,5 > 10 : vrai !");
}
