double rayon, aire;
main()
{
  rayon = 2;
  aire = rayon * rayon;
  printf("%f\n", aire);
}
