/* Écrit du balisage */
main()
{
  puts("<script>alert('perdu & gagné')</script>")
}
