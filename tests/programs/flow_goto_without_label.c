main()
{
printf("avant\n")
goto
printf("jamais\n")
}
