#!/usr/bin/env python3
# Writes the scratch corpus of one-mistake programs: NAME.c, NAME.fix (line to change,
# then its replacement) or NAME.fix + NAME.ok (whole corrected program), NAME.in.
import os
here = os.path.join(os.path.dirname(os.path.abspath(__file__)), "mistakes")
os.makedirs(here, exist_ok=True)
cases = []
def case(name, text, line, fix=None, ok=None, inp=None, crlf=False, enc="utf-8"):
    cases.append((name, text, line, fix, ok, inp, crlf, enc))

# ---------------------------------------------------------------- silent mistakes
case("majeur_then_semicolon", """int age;
main()
{
\tprintf("Quel age as-tu ? ");
\tscanf("%d", &age);
\tif (age >= 18)
\t\tputs("Tu es majeur");
\telse
\t\tputs("Tu es mineur");
}
""", 7, "\t\tputs(\"Tu es majeur\")", inp="15\n", crlf=True)

case("max_block_semicolon_else", """int a, b, max;
main()
{
  scanf("%d", &a);
  scanf("%d", &b);
  if (a > b)
  {
    max = a;
    puts("a est le plus grand");
  };
  else
  {
    max = b;
    puts("b est le plus grand");
  }
  printf("%d\\n", max);
}
""", 10, "  }", inp="3\n7\n")

case("signe_else_if", """int n;
main()
{
   scanf("%d",&n);
   if (n == 0)
      puts("nul")
   else if (n > 0)
      puts("positif")
   else
      puts("negatif");
}
""", 7, ok="""int n;
main()
{
   scanf("%d",&n);
   if (n == 0)
      puts("nul")
   else
   {
      if (n > 0)
         puts("positif")
      else
         puts("negatif");
   }
}
""", inp="5\n")

case("somme_for_sans_accolades", """// somme des nombres de 1 a 5
int i, somme;
main()
{
    somme = 0;
    for (i = 1; i <= 5; i++)
        printf("%d\\n", i);
        somme = somme + i;
    printf("%d\\n", somme);
}
""", 6, ok="""// somme des nombres de 1 a 5
int i, somme;
main()
{
    somme = 0;
    for (i = 1; i <= 5; i++)
    {
        printf("%d\\n", i);
        somme = somme + i;
    }
    printf("%d\\n", somme);
}
""")

case("factorielle_while_sans_accolades", """int n, f;
main()
{
\tscanf("%d", &n);
\tf = 1;
\twhile (n > 1)
\t\tf = f * n;
\t\tn--;
\tprintf("%d\\n", f);
}
""", 6, ok="""int n, f;
main()
{
\tscanf("%d", &n);
\tf = 1;
\twhile (n > 1)
\t{
\t\tf = f * n;
\t\tn--;
\t}
\tprintf("%d\\n", f);
}
""", inp="5\n")

case("boucle_accolade_fermante_oubliee", """int i, s;
main()
{
  s = 0;
  for (i=1; i<=4; i++)
  {
    s = s + i;
  printf("%d\\n", s);
  if (s > 5)
  {
    puts("grand");
  };
}
""", 7, "    s = s + i;\n  }")

case("accolade_de_trop", """int n;
main()
{
    scanf("%d", &n);
    if (n > 10)
    {
        puts("grand");
    };
    }
    puts("fin");
}
""", 9, "", inp="12\n")

case("main_accolade_collee", """int a, b, p;
main(){
  a = 6;
  b = 7;
  p = a * b;
  printf("%d\\n", p);
}
""", 2, "main()\n{", crlf=True)

case("procedure_apres_main", """int i;
main()
{
  ligne();
  puts("Menu");
  ligne();
}
/* trace une ligne */
void ligne()
{
  for (i=1; i<=3; i++)
    printf("-");
  printf("\\n");
}
""", 9, ok="""int i;
/* trace une ligne */
void ligne()
{
  for (i=1; i<=3; i++)
    printf("-");
  printf("\\n");
}
main()
{
  ligne();
  puts("Menu");
  ligne();
}
""")

case("compte_a_rebours_plus", """int i;
main()
{
  for (i = 10 ; i > 0 ; i++)
    printf("%d\\n", i);
  puts("Partez !");
}
""", 4, "  for (i = 10 ; i > 0 ; i--)")

case("lecture_jusqua_zero", """int n, somme;
main()
{
  somme = 0;
  printf("Nombre (0 pour finir) ");
  scanf("%d", &n);
  while (n != 0)
  {
    somme = somme + n;
  }
  printf("%d\\n", somme);
}
""", 9, "    somme = somme + n;\n    scanf(\"%d\", &n);", inp="4\n6\n0\n")

case("do_while_sur_accolade", """int i;
main()
{
  i = 1;
  do
  {
    printf("%d\\n", i);
    i++;
  } while (i <= 5);
}
""", 9, "  }\n  while (i > 5);")

case("do_while_different", """int compte;
main()
{
  compte = 0;
  do
  {
    compte = compte + 2;
    printf("%d\\n", compte);
  }
  while (compte != 10);
}
""", 10, "  while (compte == 10);")

case("reponse_apostrophes", """char choix[10];
main()
{
  puts("Voulez-vous continuer ?");
  gets(choix);
  if (choix == 'non')
    puts("Au revoir")
  else
    puts("On continue");
}
""", 6, "  if (choix == \"non\")", inp="non\n")

case("fichier_feof_sans_non", """file f;
char ligne[80];
main()
{
  f=fopen("liste.txt","w+t");
  fputs("pommes", f);
  fputs("poires", f);
  fclose(f);
  f=fopen("liste.txt","r+t");
  while ( feof(f) )
  {
    fgets(f, ligne);
    puts(ligne);
  }
  fclose(f);
}
""", 10, "  while (!feof(f))")

case("fichier_feof_egal_zero", """file fic;
char mot[40];
main()
{
\tfic=fopen("mots.txt","w+t");
\tfputs("chat", fic);
\tfputs("chien", fic);
\tfclose(fic);
\tfic=fopen("mots.txt","r+t");
\twhile (feof(fic) == 0)
\t{
\t\tfgets(fic, mot);
\t\tputs(mot);
\t}
\tfclose(fic);
}
""", 10, "\twhile (!feof(fic))")

case("carres_trop_loin", """int carres[10];
int k;
main()
{
  for (k=1; k<=12; k++)
  {
    carres[k] = k * k;
  }
  puts("Tableau rempli");
}
""", 5, "  for (k=1; k<=10; k++)")

case("tableau_indice_zero", """int t[3];
int s;
main()
{
   t[0] = 4;
   t[1] = 5;
   t[2] = 6;
   s = t[1] + t[2];
   printf("%d\\n", s);
}
""", 5, "   t[3] = 4;")

# ---------------------------------------------------------------- operators the language lacks
case("note_et_logique", """int note;
main()
{
  scanf("%d", &note);
  if ((note >= 0) && (note <= 20))
    puts("note valide");
  puts("fin");
}
""", 5, ok="""int note;
main()
{
  scanf("%d", &note);
  if (note >= 0)
  {
    if (note <= 20)
      puts("note valide");
  };
  puts("fin");
}
""", inp="12\n")

case("oui_ou_OUI", """char c;
main()
{
  printf("Continuer (o/n) ? ");
  scanf("%c", &c);
  if (c == 'o' || c == 'O')
    puts("oui");
  puts("fin");
}
""", 6, ok="""char c;
main()
{
  printf("Continuer (o/n) ? ");
  scanf("%c", &c);
  if (c == 'O')
    c = 'o';
  if (c == 'o')
    puts("oui");
  puts("fin");
}
""", inp="o\n")

case("inferieur_egal_inverse", """int i;
main()
{
  i = 1;
  while (i =< 3)
  {
    printf("%d\\n", i);
    i++;
  }
}
""", 5, "  while (i <= 3)")

case("pair_modulo_colle", """int nombre, reste;
main()
{
  scanf("%d", &nombre);
  if (nombre%2 == 0)
    puts("pair")
  else
    puts("impair");
}
""", 5, "  reste = nombre % 2;\n  if (reste == 0)", inp="8\n")

case("total_plus_egal", """int prix, total, i;
main()
{
    total = 0;
    for (i=1; i<=3; i++)
    {
        scanf("%d", &prix);
        total+=prix;
    }
    printf("%d\\n", total);
}
""", 8, "        total = total + prix;", inp="2\n3\n4\n")

case("ecart_abs_calcul", """int a, b, ecart;
main()
{
  scanf("%d", &a);
  scanf("%d", &b);
  ecart = abs(a-b);
  printf("%d\\n", ecart);
}
""", 6, "  ecart = a - b;\n  ecart = abs(ecart);", inp="3\n9\n")

case("mot_de_passe_strcmp", """char mdp[20];
main()
{
  printf("Mot de passe ? ");
  gets(mdp);
  if (strcmp(mdp, "1234") == 0)
    puts("Bienvenue")
  else
    puts("Refuse");
}
""", 6, "  if (mdp == \"1234\")", inp="1234\n")

case("commentaire_en_bout", """int compteur;
main()
{
  compteur = 0;   /* on part de zero */
  compteur++;
  printf("%d\\n", compteur);
}
""", 4, "  compteur = 0;")

case("hasard_randomize_parentheses", """int de;
main()
{
  randomize();
  de = rand(6);
  de = de + 1;
  printf("%d\\n", de);
}
""", 4, "  randomize;")

case("pause_getchar", """int x;
main()
{
  x = 3;
  printf("%d\\n", x);
  puts("Appuyez sur Entree");
  getchar();
}
""", 7, "")

case("fichier_fprintf", """file f;
char nom[30];
main()
{
  gets(nom);
  f=fopen("noms.txt","w+t");
  fprintf(f, "%s\\n", nom);
  fclose(f);
}
""", 7, "  fputs(nom, f);", inp="Paul\n")

case("menu_sans_parentheses", """int choix;
void menu()
{
  puts("1 jouer");
  puts("2 quitter");
}
main()
{
  menu;
  scanf("%d", &choix);
}
""", 9, "  menu();", inp="1\n")

case("void_majuscules", """VOID titre()
{
  puts("*** Mon programme ***");
}
main()
{
  titre();
  puts("Bonjour");
}
""", 1, "void titre()")

# ---------------------------------------------------------------- C habits
case("prix_declare_avec_valeur", """float prix = 12,5;
float total;
main()
{
  total = prix * 2;
  printf("%f\\n", total);
}
""", 1, ok="""float prix;
float total;
main()
{
  prix = 12,5;
  total = prix * 2;
  printf("%f\\n", total);
}
""")

case("int_main_void", """int a;
int main(void)
{
  a = 2;
  printf("%d\\n", a);
}
""", 2, "main()")

case("return_parentheses", """int n;
main()
{
  n = 4;
  printf("%d\\n", n);
  return(0);
}
""", 6, "")

case("pre_increment_compteur", """int compteur, i;
main()
{
  compteur = 0;
  for (i=1; i<=3; i++)
  {
    ++compteur;
  }
  printf("%d\\n", compteur);
}
""", 7, "    compteur++;")

case("egal_plus_inverse", """int i;
main()
{
  i = 1;
  while (i <= 3)
  {
    printf("%d\\n", i);
    i =+ 1;
  }
}
""", 8, "    i = i + 1;")

case("for_int_dans_entete", """int t[5];
int k;
main()
{
  for (int k = 1; k <= 5; k++)
    t[k] = 0;
  puts("fini");
}
""", 5, "  for (k = 1; k <= 5; k++)")

case("file_pointeur_majuscules", """FILE* fichier;
main()
{
  fichier=fopen("a.txt","w+t");
  fputs("bonjour", fichier);
  fclose(fichier);
}
""", 1, "file fichier;")

case("fgets_taille_au_milieu", """file fic;
char ligne[100];
main()
{
  fic=fopen("t.txt","w+t");
  fputs("salut", fic);
  fclose(fic);
  fic=fopen("t.txt","r+t");
  fgets(ligne, 100, fic);
  puts(ligne);
  fclose(fic);
}
""", 9, "  fgets(fic, ligne);")

case("date_trois_valeurs", """int j, m, a;
main()
{
  j = 14;
  m = 7;
  a = 1789;
  printf("%d/%d/%d\\n", j, m, a);
}
""", 7, "  printf(\"%d\\n\", j);\n  printf(\"%d\\n\", m);\n  printf(\"%d\\n\", a);")

case("printf_adresse_float", """float moyenne;
main()
{
  moyenne = 12,5;
  printf("%f", &moyenne);
}
""", 5, "  printf(\"%f\", moyenne);")

case("scanf_deux_valeurs", """int a, b, s;
main()
{
  printf("Deux nombres ? ");
  scanf("%d %d", &a, &b);
  s = a + b;
  printf("%d\\n", s);
}
""", 5, "  scanf(\"%d\", &a);\n  scanf(\"%d\", &b);", inp="2\n3\n")

# ---------------------------------------------------------------- silent stop
case("moyenne_division_par_zero", """int n, somme, moyenne, x;
main()
{
  somme = 0;
  n = 0;
  scanf("%d", &x);
  while (x != 0)
  {
    somme = somme + x;
    n++;
    scanf("%d", &x);
  }
  moyenne = somme / n;
  printf("%d\\n", moyenne);
}
""", 13, ok="""int n, somme, moyenne, x;
main()
{
  somme = 0;
  n = 0;
  scanf("%d", &x);
  while (x != 0)
  {
    somme = somme + x;
    n++;
    scanf("%d", &x);
  }
  if (n > 0)
    moyenne = somme / n;
  printf("%d\\n", moyenne);
}
""", inp="0\n")

# ---------------------------------------------------------------- other beginner mistakes
case("max_sans_point_virgule", """int x, max;
main()
{
  max = 10;
  scanf("%d", &x);
  if (x > max)
    max = x
  printf("%d\\n", max);
}
""", 7, "    max = x;", inp="4\n")

case("bloc_if_sans_else_accolade", """float moyenne;
main()
{
  scanf("%f", &moyenne);
  if (moyenne >= 10)
  {
    puts("Admis");
    puts("Bravo");
  }
  puts("Fin");
}
""", 9, "  };", inp="8\n")

case("choix_egal_simple", """int choix;
main()
{
  scanf("%d", &choix);
  if (choix = 1)
    puts("Jouer")
  else
    puts("Quitter");
}
""", 5, "  if (choix == 1)", inp="1\n")

case("guillemet_pas_ferme", """int n;
main()
{
  printf("Entrez un nombre : );
  scanf("%d", &n);
  printf("%d\\n", n);
}
""", 4, "  printf(\"Entrez un nombre : \");", inp="3\n")

case("scanf_int_format_f", """float prix;
int quantite;
main()
{
  scanf("%f", &prix);
  scanf("%f", &quantite);
  printf("%d\\n", quantite);
}
""", 6, "  scanf(\"%d\", &quantite);", inp="2,5\n3\n")

case("printf_deux_decimales", """float moy;
main()
{
  moy = 13,25;
  printf("%.2f\\n", moy);
}
""", 5, "  printf(\"%f\\n\", moy);")

case("prinft_faute_de_frappe", """main()
{
  prinft("Bonjour\\n");
  puts("Au revoir");
}
""", 3, "  printf(\"Bonjour\\n\");")

case("variable_mal_orthographiee_printf", """int total, i;
main()
{
  total = 0;
  for (i=1; i<=3; i++)
    total = total + i;
  printf("%d\\n", totale);
}
""", 7, "  printf(\"%d\\n\", total);")

case("majuscule_variable", """int somme, x;
main()
{
  somme = 0;
  scanf("%d", &x);
  Somme = somme + x;
  printf("%d\\n", somme);
}
""", 6, "  somme = somme + x;", inp="5\n")

case("float_majuscule", """Float moyenne;
main()
{
  moyenne = 12,5;
  printf("%f\\n", moyenne);
}
""", 1, "float moyenne;")

case("declaration_manquante", """int a, b;
main()
{
  a = 6;
  b = 7;
  resultat = a * b;
  printf("%d\\n", resultat);
}
""", 1, "int a, b, resultat;")

case("deux_declarations_une_ligne", """int a; int b;
main()
{
  a = 2;
  b = 3;
  a = a + b;
  printf("%d\\n", a);
}
""", 1, "int a, b;")

case("nom_declare_char_seul", """char nom;
main()
{
  printf("Ton nom ? ");
  gets(nom);
  printf("%s\\n", nom);
}
""", 1, "char nom[30];", inp="Bob\n")

case("scanf_element_tableau", """int t[3];
int i;
main()
{
  for (i=1; i<=3; i++)
  {
    scanf("%d", &t[i]);
  }
  puts("lu");
}
""", 7, ok="""int t[3];
int i, v;
main()
{
  for (i=1; i<=3; i++)
  {
    scanf("%d", &v);
    t[i] = v;
  }
  puts("lu");
}
""", inp="1\n2\n3\n")

case("if_sur_une_ligne", """int a, b, max;
main()
{
  scanf("%d", &a);
  scanf("%d", &b);
  max = b;
  if (a > b) max = a;
  printf("%d\\n", max);
}
""", 7, "  if (a > b)\n    max = a;", inp="9\n4\n")

case("deux_instructions_une_ligne", """int a, b, s;
main()
{
  a = 5; b = 3;
  s = a + b;
  printf("%d\\n", s);
}
""", 4, "  a = 5;\n  b = 3;")

case("for_avec_virgules", """int i;
main()
{
  for (i=1, i<=3, i++)
    printf("%d\\n", i);
}
""", 4, "  for (i=1; i<=3; i++)")

case("printf_virgule_oubliee", """int n;
main()
{
  n = 7;
  printf("%d\\n" n);
}
""", 5, "  printf(\"%d\\n\", n);")

case("printf_parenthese_oubliee", """main()
{
  printf("Bonjour\\n";
  puts("fin");
}
""", 3, "  printf(\"Bonjour\\n\");")

case("main_sans_accolade_ouvrante", """int x;
main()
  x = 5;
  printf("%d\\n", x);
}
""", 2, "main()\n{")

case("fputs_arguments_inverses", """file f;
main()
{
  f=fopen("sortie.txt","w+t");
  fputs(f, "bonjour");
  fclose(f);
}
""", 5, "  fputs(\"bonjour\", f);")

case("strlen_dans_condition", """char mot[30];
int n;
main()
{
  gets(mot);
  if (strlen(mot) > 5)
    puts("mot long");
  puts("fin");
}
""", 6, "  n = strlen(mot);\n  if (n > 5)", inp="bonjour\n")

case("bonjour_deux_plus", """char nom[20], phrase[40];
main()
{
  gets(nom);
  phrase = "Bonjour " + nom + " !";
  puts(phrase);
}
""", 5, "  phrase = \"Bonjour \" + nom;", inp="Léa\n")

case("moyenne_trois_notes", """int n1, n2, n3, moy;
main()
{
  scanf("%d", &n1);
  scanf("%d", &n2);
  scanf("%d", &n3);
  moy = (n1 + n2 + n3) / 3;
  printf("%d\\n", moy);
}
""", 7, "  moy = n1 + n2;\n  moy = moy + n3;\n  moy = moy / 3;", inp="10\n12\n14\n")

case("else_accolade_collee", """int x;
main()
{
  scanf("%d", &x);
  if (x > 0)
  {
    puts("positif");
  } else
  {
    puts("negatif ou nul");
  }
}
""", 8, "  }\n  else", inp="-2\n")

case("while_accolade_fin_de_ligne", """int n;
main()
{
\tn = 1;
\twhile (n < 100) {
\t\tn = n * 2;
\t}
\tprintf("%d\\n", n);
}
""", 5, "\twhile (n < 100)\n\t{")

case("accents_texte_cp1252", """char prenom[30];
main()
{
  printf("Prénom ? ");
  gets(prenom);
  printf("Bonjour %s\\n", prenom);
}
""", 6, "  printf(\"Bonjour \");\n  printf(\"%s\\n\", prenom);", inp="Zoé\n", enc="cp1252", crlf=True)

case("procedure_appel_avec_argument", """int n;
void carre()
{
  n = n * n;
}
main()
{
  n = 4;
  carre(n);
  printf("%d\\n", n);
}
""", 9, "  carre();")

case("double_pour_reel", """double rayon, aire;
main()
{
  rayon = 2;
  aire = rayon * rayon;
  printf("%f\\n", aire);
}
""", 1, "float rayon, aire;")

for name, text, line, fix, ok, inp, crlf, enc in cases:
    def write(path, s):
        if crlf:
            s = s.replace("\n", "\r\n")
        with open(path, "wb") as f:
            f.write(s.encode(enc))
    write(os.path.join(here, name + ".c"), text)
    fixtext = str(line) + "\n" + (fix + "\n" if fix else "")
    with open(os.path.join(here, name + ".fix"), "wb") as f:
        f.write(fixtext.encode(enc))
    if ok is not None:
        write(os.path.join(here, name + ".ok"), ok)
    if inp is not None:
        with open(os.path.join(here, name + ".in"), "wb") as f:
            f.write(inp.encode(enc))
print(len(cases), "programmes")
