#!/usr/bin/env python3
# A second batch, written after the checks were changed for the first: held out, to see
# whether the changes hold on phrasings they were not made from. Same format, in mistakes_b/.
import os
here = os.path.join(os.path.dirname(os.path.abspath(__file__)), "mistakes_b")
os.makedirs(here, exist_ok=True)
cases = []
def case(name, text, line, fix=None, ok=None, inp=None, crlf=False, enc="utf-8"):
    cases.append((name, text, line, fix, ok, inp, crlf, enc))

case("else_deux_lignes_sans_accolades", """int note, refus;
main()
{
  refus = 0;
  scanf("%d", &note);
  if (note >= 10)
    puts("admis")
  else
    puts("refuse");
    refus++;
  printf("%d\\n", refus);
}
""", 8, ok="""int note, refus;
main()
{
  refus = 0;
  scanf("%d", &note);
  if (note >= 10)
    puts("admis")
  else
  {
    puts("refuse");
    refus++;
  }
  printf("%d\\n", refus);
}
""", inp="12\n")

case("for_pas_plus_egal", """int i, s;
main()
{
  s = 0;
  for (i=1; i<=10; i+=1)
    s = s + i;
  printf("%d\\n", s);
}
""", 5, "  for (i=1; i<=10; i++)")

case("puts_d_un_entier", """int total;
main()
{
  total = 12;
  puts("Le total est");
  puts(total);
}
""", 6, "  printf(\"%d\\n\", total);")

case("reel_avec_point", """float pi, r, p;
main()
{
  pi = 3.14;
  r = 2;
  p = pi * r;
  printf("%f\\n", p);
}
""", 4, "  pi = 3,14;")

case("main_oublie", """int a;
{
  a = 1;
  printf("%d\\n", a);
}
""", 2, "main()\n{")

case("main_espace_parenthese", """int a;
main ()
{
  a = 4;
  printf("%d\\n", a);
}
""", 2, "main()")

case("void_espace_parenthese", """void titre ()
{
  puts("== Jeu ==");
}
main()
{
  titre();
}
""", 1, "void titre()")

case("procedure_majuscule_appel", """void affiche()
{
  puts("bonjour");
}
main()
{
  Affiche();
}
""", 7, "  affiche();")

case("tableau_sans_taille", """int notes[];
int i;
main()
{
  for (i=1; i<=3; i++)
    notes[i] = 10;
  puts("ok");
}
""", 1, "int notes[3];")

case("scanf_c_pour_chaine", """char rep[5];
main()
{
  puts("Continuer ?");
  scanf("%c", &rep);
  puts(rep);
}
""", 5, "  scanf(\"%s\", &rep);", inp="oui\n")

case("commentaire_sur_deux_lignes", """int n;
main()
{
  /* on lit
     le nombre */
  scanf("%d", &n);
  printf("%d\\n", n);
}
""", 5, "  /* le nombre */", inp="3\n")


case("for_condition_egal", """int i;
main()
{
  for (i=1; i=5; i++)
    printf("%d\\n", i);
}
""", 4, "  for (i=1; i<=5; i++)")

case("virgule_dans_le_texte", """main()
{
  printf("Bonjour, comment vas-tu ?\\n");
  puts("fin");
}
""", 3, "  puts(\"Bonjour, comment vas-tu ?\");")

case("increment_avec_espace", """int i;
main()
{
  i = 0;
  while (i < 3)
  {
    printf("%d\\n", i);
    i ++;
  }
}
""", 8, "    i++;")

case("increment_element", """int compte[3];
int n;
main()
{
  n = 2;
  compte[n]++;
  n = compte[2];
  printf("%d\\n", n);
}
""", 6, "  compte[n] = compte[n] + 1;")

case("accolade_point_virgule_espace", """int a, b;
main()
{
  scanf("%d", &a);
  scanf("%d", &b);
  if (a == b)
  {
    puts("egaux");
  } ;
  else
  {
    puts("differents");
  }
}
""", 9, "  }", inp="1\n2\n")

case("for_sans_accolades_sans_retrait", """int i, s;
main()
{
s = 0;
for (i=1; i<=3; i++)
printf("%d\\n", i);
s = s + i;
printf("%d\\n", s);
}
""", 5, ok="""int i, s;
main()
{
s = 0;
for (i=1; i<=3; i++)
{
printf("%d\\n", i);
s = s + i;
}
printf("%d\\n", s);
}
""")

case("accolade_oubliee_sans_retrait", """int i, s;
main()
{
s = 0;
for (i=1; i<=3; i++)
{
s = s + i;
printf("%d\\n", i);
printf("%d\\n", s);
}
""", 8, "printf(\"%d\\n\", i);\n}")

case("if_instruction_meme_ligne_crlf_tab", """int x;
main()
{
\tscanf("%d", &x);
\tif (x > 9) puts("grand");
\tputs("fin");
}
""", 5, "\tif (x > 9)\n\t\tputs(\"grand\");", inp="40\n", crlf=True)

case("while_condition_collee_point_virgule", """int n;
main()
{
  n = 10;
  while (n > 0);
  {
    printf("%d\\n", n);
    n = n - 2;
  }
}
""", 5, "  while (n > 0)")

case("printf_texte_et_valeur_float", """float prix;
main()
{
  prix = 12,5;
  printf("Prix : %f euros\\n", prix);
}
""", 5, "  printf(\"Prix : \");\n  printf(\"%f\\n\", prix);")

case("float_dans_int", """int moyenne;
int a, b;
main()
{
  a = 9;
  b = 10;
  moyenne = a + b;
  moyenne = moyenne / 2;
  printf("%f\\n", moyenne);
}
""", 9, "  printf(\"%d\\n\", moyenne);")

case("gets_avec_taille", """char nom[30];
main()
{
  puts("Nom ?");
  fgets(nom, 30, stdin);
  puts(nom);
}
""", 5, "  gets(nom);", inp="Ali\n")

case("chaine_comparaison_strcmp_egal", """char mot[10];
main()
{
  gets(mot);
  if (strcmp(mot, "stop") != 0)
    puts("on continue");
  puts("fin");
}
""", 5, "  if (mot != \"stop\")", inp="go\n")

case("tableau_indice_calcul", """int t[5];
int i;
main()
{
  for (i=1; i<=4; i++)
    t[i+1] = i;
  puts("ok");
}
""", 6, ok="""int t[5];
int i, j;
main()
{
  for (i=1; i<=4; i++)
  {
    j = i + 1;
    t[j] = i;
  }
  puts("ok");
}
""")

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
