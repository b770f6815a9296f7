file f
main()
{
f = fopen("notes.txt","w+t")
fputs("bonjour", f)
fclose(f)
}
