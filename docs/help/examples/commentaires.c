// Ce programme affiche un message
/* deuxième ligne de commentaire */
main()
{
  // une ligne ignorée
  puts("ok");
}
