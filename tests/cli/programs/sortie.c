/* Tente de sortir de son dossier */
main()
{
  chdir "..";
  mkdir "dehors";
}
