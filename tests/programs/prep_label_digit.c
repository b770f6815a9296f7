main()
{
2fin:
}
