main()
{
call rien
}
