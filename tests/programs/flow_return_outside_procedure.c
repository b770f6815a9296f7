main()
{
return;
}
