char mdp[20];
main()
{
  printf("Mot de passe ? ");
  gets(mdp);
  if (strcmp(mdp, "1234") == 0)
    puts("Bienvenue")
  else
    puts("Refuse");
}
