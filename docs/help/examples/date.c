char jour[20], heure[20];
main()
{
  jour = DATESTRING(CURRENTDATE());
  heure = TIMESTRING(CURRENTTIME());
  printf("Nous sommes le ");
  puts(jour);
  printf("Il est ");
  puts(heure);
}
