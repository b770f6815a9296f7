int t[3], k
float r
char c, s[8]
file f
main()
{
t[2] = 5
k = 2
r = 0,5
c = 'y'
s = "texte"
fin:
}
