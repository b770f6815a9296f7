main()
{
}
}
printf("x")
