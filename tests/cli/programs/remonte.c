/* Tente de supprimer le dossier au-dessus */
main()
{
  rmdir "..";
}
