main()
{
break;
}
