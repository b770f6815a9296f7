file fic;
char mot[40];
main()
{
	fic=fopen("mots.txt","w+t");
	fputs("chat", fic);
	fputs("chien", fic);
	fclose(fic);
	fic=fopen("mots.txt","r+t");
	while (feof(fic) == 0)
	{
		fgets(fic, mot);
		puts(mot);
	}
	fclose(fic);
}
