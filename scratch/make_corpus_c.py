#!/usr/bin/env python3
# A third batch, held out like the second: written after the checks were changed for
# the first two, to measure them on phrasings they were not made from. In mistakes_c/.
import os
here = os.path.join(os.path.dirname(os.path.abspath(__file__)), "mistakes_c")
os.makedirs(here, exist_ok=True)
cases = []
def case(name, text, line, fix=None, ok=None, inp=None, crlf=False, enc="utf-8"):
    cases.append((name, text, line, fix, ok, inp, crlf, enc))

case("printf_calcul", """int somme, n;
main()
{
  somme = 17;
  n = 4;
  printf("%d\\n", somme / n);
}
""", 6, "  somme = somme / n;\n  printf(\"%d\\n\", somme);")

case("continue_en_c", """int i;
main()
{
  for (i=1; i<=5; i++)
  {
    if (i == 3)
      continue;
    printf("%d\\n", i);
  }
}
""", 7, ok="""int i;
main()
{
  for (i=1; i<=5; i++)
  {
    if (i != 3)
      printf("%d\\n", i);
  }
}
""")

case("if_else_sur_une_ligne", """int a, b, max;
main()
{
  a = 4;
  b = 9;
  if (a > b) { max = a; }
  else
    max = b;
  printf("%d\\n", max);
}
""", 6, "  if (a > b)\n    max = a")

case("while_un", """int n;
main()
{
  n = 0;
  while (1)
  {
    n++;
    if (n > 3)
      break;
  }
  printf("%d\\n", n);
}
""", 5, "  while (1 == 1)")

case("procedure_void_parametre", """int n;
void ligne(void)
{
  puts("----");
}
main()
{
  ligne();
  n = 1;
}
""", 2, "void ligne()")

case("procedure_avec_parametre", """int n;
void carre(int x)
{
  n = n * n;
}
main()
{
  n = 3;
  carre();
  printf("%d\\n", n);
}
""", 2, "void carre()")

case("fopen_sans_variable", """file f;
main()
{
  fopen("sortie.txt", "w");
  fputs("bonjour", f);
  fclose(f);
}
""", 4, "  f=fopen(\"sortie.txt\", \"w\");")

case("fopen_nom_sans_guillemets", """file f;
main()
{
  f=fopen(sortie.txt,"w");
  fputs("bonjour", f);
  fclose(f);
}
""", 4, "  f=fopen(\"sortie.txt\",\"w\");")

case("fputs_sans_fichier", """file f;
main()
{
  f=fopen("sortie.txt","w");
  fputs("bonjour");
  fclose(f);
}
""", 5, "  fputs(\"bonjour\", f);")

case("then_printf_point_virgule", """int a;
main()
{
    scanf("%d", &a);
    if (a >= 0)
        printf("%d\\n", a);
    else
        puts("negatif");
}
""", 6, "        printf(\"%d\\n\", a)", inp="5\n")

case("procedure_apres_main_commentee", """int n;
main()
{
  n = 2;
  double();
  printf("%d\\n", n);
}
// double la valeur de n
void double()
{
  n = n * 2;
}
""", 9, ok="""int n;
// double la valeur de n
void double()
{
  n = n * 2;
}
main()
{
  n = 2;
  double();
  printf("%d\\n", n);
}
""")

case("do_while_plus_un", """int compteur;
main()
{
  compteur = 0;
  do
  {
    compteur = compteur + 1;
    printf("%d\\n", compteur);
  }
  while (compteur < 10);
}
""", 10, "  while (compteur >= 10);")

case("accolade_if_oubliee_dans_boucle", """int i, pairs;
main()
{
    pairs = 0;
    for (i=1; i<=6; i++)
    {
        if (i > 3)
        {
            pairs++;
        printf("%d\\n", i);
    }
    printf("%d\\n", pairs);
}
""", 9, "            pairs++;\n        };")

case("scanf_espace_esperluette", """int n;
main()
{
  scanf("%d", & n);
  printf("%d\\n", n);
}
""", 4, "  scanf(\"%d\", &n);", inp="3\n")

case("else_point_virgule_bloc", """int x;
main()
{
  scanf("%d", &x);
  if (x > 5)
  {
    puts("grand");
  }
  else;
  {
    puts("petit");
  }
}
""", 9, "  else", inp="2\n")

case("tableau_boucle_zero_a_n", """float notes[4];
int i;
main()
{
  for (i = 0; i < 4; i++)
  {
    notes[i] = 10;
  }
  puts("ok");
}
""", 5, "  for (i = 1; i <= 4; i++)")

case("nom_procedure_mal_ecrit", """void affiche()
{
  puts("salut");
}
main()
{
  afiche();
}
""", 7, "  affiche();")

case("while_i_plus_un_oublie_tab", """int i;
main()
{
\ti = 1;
\twhile (i <= 3)
\t{
\t\tprintf("%d\\n", i);
\t}
}
""", 7, "\t\tprintf(\"%d\\n\", i);\n\t\ti++;")

for name, text, line, fix, ok, inp, crlf, enc in cases:
    def write(path, s):
        if crlf:
            s = s.replace("\n", "\r\n")
        with open(path, "wb") as f:
            f.write(s.encode(enc))
    write(os.path.join(here, name + ".c"), text)
    with open(os.path.join(here, name + ".fix"), "wb") as f:
        f.write((str(line) + "\n" + (fix + "\n" if fix else "")).encode(enc))
    if ok is not None:
        write(os.path.join(here, name + ".ok"), ok)
    if inp is not None:
        with open(os.path.join(here, name + ".in"), "wb") as f:
            f.write(inp.encode(enc))
print(len(cases), "programmes")
