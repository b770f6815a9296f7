file fichier;
int score;
main()
{
  score = 12;
  fichier=fopen("s.txt","w");
  fprintf(fichier, "%d\n", score);
  fclose(fichier);
}
