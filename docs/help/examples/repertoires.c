file f;
main()
{
  mkdir "travail";
  chdir "travail";
  f=fopen("essai.txt","w+t");
  fputs("dans le répertoire travail", f);
  fclose(f);
  chdir "..";
  mkdir "vide";
  rmdir "vide";
  puts("terminé");
}
