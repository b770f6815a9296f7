#!/usr/bin/env python3
# A fourth batch, held out like the second and third: the families of mistakes the
# checks were built for, in phrasings written last. In mistakes_d/.
import os
here = os.path.join(os.path.dirname(os.path.abspath(__file__)), "mistakes_d")
os.makedirs(here, exist_ok=True)
cases = []
def case(name, text, line, fix=None, ok=None, inp=None, crlf=False, enc="utf-8"):
    cases.append((name, text, line, fix, ok, inp, crlf, enc))

case("min_then_pv_allman", """int a, b, min;
main()
{
\tscanf("%d", &a);
\tscanf("%d", &b);
\tif (a < b)
\t\tmin = a;
\telse
\t\tmin = b;
\tprintf("%d\\n", min);
}
""", 7, "\t\tmin = a", inp="8\n3\n")

case("bloc_pv_else_commente", """int t;
main()
{
    scanf("%d", &t);
    if (t > 25)
    {
        // il fait chaud
        puts("chaud");
    };
    else
    {
        // il fait frais
        puts("frais");
    }
}
""", 9, "    }", inp="12\n")

case("else_if_crlf", """int x;
main()
{
  scanf("%d", &x);
  if (x > 100)
    puts("grand")
  else if(x > 10)
    puts("moyen")
  else
    puts("petit");
}
""", 7, ok="""int x;
main()
{
  scanf("%d", &x);
  if (x > 100)
    puts("grand")
  else
  {
    if (x > 10)
      puts("moyen")
    else
      puts("petit");
  }
}
""", inp="50\n", crlf=True)

case("while_trois_lignes_sans_accolades", """int n, s;
main()
{
\tn = 1;
\ts = 0;
\twhile (n <= 4)
\t\ts = s + n;
\t\tprintf("%d\\n", s);
\t\tn++;
\tprintf("%d\\n", s);
}
""", 6, ok="""int n, s;
main()
{
\tn = 1;
\ts = 0;
\twhile (n <= 4)
\t{
\t\ts = s + n;
\t\tprintf("%d\\n", s);
\t\tn++;
\t}
\tprintf("%d\\n", s);
}
""")

case("accolade_de_trop_dans_if", """int a;
main()
{
  scanf("%d", &a);
  if (a > 0)
  {
    puts("positif");
  }
  }
  else
    puts("negatif ou nul");
  puts("fin");
}
""", 9, "", inp="5\n")

case("decompte_n_plus_plus", """int n;
main()
{
  for (n = 5; n >= 0; n++)
    printf("%d\\n", n);
}
""", 4, "  for (n = 5; n >= 0; n--)")

case("deux_variables_immobiles", """int a, b;
main()
{
  a = 1;
  b = 20;
  while (a < b)
  {
    puts("encore");
  }
}
""", 8, "    puts(\"encore\");\n    a = a * 2;")

case("do_accolade_while_meme_ligne", """int x;
main()
{
  x = 1;
  do
  {
    x = x * 3;
  } while (x < 100);
  printf("%d\\n", x);
}
""", 8, "  }\n  while (x >= 100);")

case("oui_entre_apostrophes", """char rep[5];
main()
{
  puts("Tu aimes le C ?");
  gets(rep);
  if (rep == 'oui')
    puts("super")
  else
    puts("dommage");
}
""", 6, "  if (rep == \"oui\")", inp="oui\n")

case("feof_different_de_un", """file fichier;
char l[50];
main()
{
  fichier=fopen("x.txt","w");
  fputs("un", fichier);
  fclose(fichier);
  fichier=fopen("x.txt","r");
  while (feof(fichier) != 1)
  {
    fgets(fichier, l);
    puts(l);
  }
  fclose(fichier);
}
""", 9, "  while (!feof(fichier))")

case("indice_onze", """int t[10];
int n;
main()
{
  t[1] = 4;
  t[11] = 7;
  n = t[1];
  printf("%d\\n", n);
}
""", 6, "  t[10] = 7;")

case("et_dans_while", """int i, trouve;
main()
{
  i = 1;
  trouve = 0;
  while (i <= 10 && trouve == 0)
  {
    if (i == 7)
      trouve = 1;
    i++;
  }
}
""", 6, ok="""int i, trouve;
main()
{
  i = 1;
  trouve = 0;
  while (i <= 10)
  {
    if (i == 7)
      trouve = 1;
    if (trouve == 1)
      break;
    i++;
  }
}
""")

case("supegal_inverse_while", """int x;
main()
{
  x = 10;
  while (x => 1)
  {
    x = x - 2;
  }
}
""", 5, "  while (x >= 1)")

case("multiple_de_trois", """int nb;
main()
{
  scanf("%d", &nb);
  if (nb % 3 == 0)
    puts("multiple de 3");
  puts("fin");
}
""", 5, "  nb = nb % 3;\n  if (nb == 0)", inp="9\n")

case("somme_plus_egal_note", """int note, somme, k;
main()
{
  somme = 0;
  for (k=1; k<=3; k++)
  {
    scanf("%d", &note);
    somme += note;
  }
  printf("%d\\n", somme);
}
""", 8, "    somme = somme + note;", inp="10\n12\n14\n")

case("strcmp_majuscules", """char rep[10];
main()
{
  gets(rep);
  if (STRCMP(rep, "oui") == 0)
    puts("ok");
  puts("fin");
}
""", 5, "  if (rep == \"oui\")", inp="oui\n")

case("commentaire_apres_init", """int x;
main()
{
  x = 0; /* init */
  x++;
  printf("%d\\n", x);
}
""", 4, "  x = 0;")

case("clrscr_debut", """main()
{
  clrscr();
  puts("Bienvenue");
}
""", 3, "  clrscr;")

case("getch_fin", """main()
{
  puts("Appuie sur une touche");
  getch();
}
""", 4, "")

case("fprintf_score", """file fichier;
int score;
main()
{
  score = 12;
  fichier=fopen("s.txt","w");
  fprintf(fichier, "%d\\n", score);
  fclose(fichier);
}
""", 7, "  fputs(score, fichier);")

case("appel_sans_parentheses", """void afficher()
{
  puts("menu");
}
main()
{
  afficher;
}
""", 7, "  afficher();")

case("void_majuscule_v", """Void afficher()
{
  puts("menu");
}
main()
{
  afficher();
}
""", 1, "void afficher()")

case("compteur_init_declaration", """int compteur = 0;
main()
{
  compteur++;
  printf("%d\\n", compteur);
}
""", 1, "int compteur;")

case("int_main_void_return", """int n;
int main(void)
{
  n = 1;
  printf("%d\\n", n);
}
""", 2, "main()")

case("return_zero_fin", """main()
{
  puts("salut");
  return 0;
}
""", 4, "")

case("pre_increment_total", """int total;
main()
{
  total = 1;
  ++total;
  printf("%d\\n", total);
}
""", 5, "  total++;")

case("moins_egal", """int vies;
main()
{
  vies = 3;
  vies -= 1;
  printf("%d\\n", vies);
}
""", 5, "  vies = vies - 1;")

case("for_int_k", """int k;
main()
{
  for (int k = 1; k <= 3; k++)
    printf("%d\\n", k);
}
""", 4, "  for (k = 1; k <= 3; k++)")

case("file_etoile_espace", """FILE * out;
main()
{
  out=fopen("o.txt","w");
  fputs("x", out);
  fclose(out);
}
""", 1, "file out;")

case("fgets_buffer", """file in;
char buffer[100];
main()
{
  in=fopen("i.txt","w");
  fputs("ligne", in);
  fclose(in);
  in=fopen("i.txt","r");
  fgets(buffer, 100, in);
  puts(buffer);
  fclose(in);
}
""", 9, "  fgets(in, buffer);")

case("printf_trois_valeurs", """int a, b, c;
main()
{
  a = 2;
  b = 3;
  c = a + b;
  printf("%d + %d = %d\\n", a, b, c);
}
""", 7, "  printf(\"%d\\n\", c);")

case("printf_esperluette_prix", """float prix;
main()
{
  prix = 2,5;
  printf("%f\\n", &prix);
}
""", 5, "  printf(\"%f\\n\", prix);")

case("moyenne_zero_notes", """int total, nb, moy;
main()
{
  total = 0;
  nb = 0;
  moy = total / nb;
  printf("%d\\n", moy);
}
""", 6, "  moy = 0;")

case("scnaf_faute", """int n;
main()
{
  scnaf("%d", &n);
  printf("%d\\n", n);
}
""", 4, "  scanf(\"%d\", &n);", inp="4\n")

case("scanf_chaine_sans_esperluette", """char prenom[20];
main()
{
  scanf("%s", prenom);
  puts(prenom);
}
""", 4, "  scanf(\"%s\", &prenom);", inp="Lou\n")

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
