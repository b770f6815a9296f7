/* Écrit sans fin */
main()
{
encore:
  puts("Une ligne bien longue pour remplir la sortie au plus vite, encore et encore et encore.")
  goto encore
}
