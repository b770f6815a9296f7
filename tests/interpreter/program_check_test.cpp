// The look before the run: silent mistakes are warned at the line to change, and a
// correct program, however it is written, gets no warning at all.
#include <gtest/gtest.h>

#include <random>

#include "fake_host.h"
#include "program_check.h"
#include "text.h"

namespace vokc::test {
namespace {

// "LINE: text" for each warning, lines counted from 1, text in UTF-8.
std::vector<std::string> Warnings(const std::string& program) {
    std::vector<std::string> out;
    for (const ProgramWarning& w : CheckProgram(MemoryText(Utf8ToCp1252(program))))
        out.push_back(std::to_string(w.line + 1) + ": " + Cp1252ToUtf8(w.text));
    return out;
}

// The warnings' lines only.
std::vector<int> Lines(const std::string& program) {
    std::vector<int> out;
    for (const ProgramWarning& w : CheckProgram(MemoryText(Utf8ToCp1252(program))))
        out.push_back(w.line + 1);
    return out;
}

TEST(ProgramCheck, ACorrectProgramGetsNoWarning) {
    const std::string program = R"(// Notes : { } ; else 'abc' t[9]
int t[5], i, n, k
float r;
char s[20], c;
file f;
void affiche()
{
  printf("%d\n", n);
}
main()
{
  s = "d'accord { } // 'abc' t[9] && =>";
  c = 'a';
  for (i=1; i<=5; i++)
    t[i] = i;
  for (i=5; i>=1; i--)
  {
    n = t[i];
    affiche();
  }
  if (n > 3)
  {
    puts("grand");
  }
  else
    puts("petit");
  if (n == 1)
    puts("un")
  else
  {
    puts("autre");
  };
  i = 0;
  do
  {
    i++;
  }
  while (i >= 3);
  while (n < 100)
    n = n * 2;
  k = 0;
  while (k < 3)
  {
    scanf("%d", &k);
  }
  f=fopen("a.txt","w");
  fputs(s, f);
  fclose(f);
  f=fopen("a.txt","r");
  while (!feof(f))
  {
    fgets(f, s);
    puts(s);
  }
  fclose(f);
  for (i=1; i<=2; i++)
  {
    for (k=1; k<=2; k++)
      printf("%d\n", k);
  }
  t[5] = 0;
}
)";
    EXPECT_EQ(Warnings(program), std::vector<std::string>{});
}

// The else that can never run, and an else with something after it.
TEST(ProgramCheck, ElseMistakesAreWarnedWhereTheyAreWritten) {
    EXPECT_EQ(Warnings("int x\nmain()\n{\nif (x == 1)\n  puts(\"un\");\nelse\n  puts(\"b\");\n}\n"),
              std::vector<std::string>{"5: Ce point-virgule dit qu'aucun else ne suit : le else "
                                       "n'est jamais exécuté. Écrivez « puts(\"un\") » sans "
                                       "point-virgule."});
    EXPECT_EQ(Lines("main()\n{\nif (x == 1)\n{\nx = 2;\n};\nelse\nx = 3;\n}\n"),
              std::vector<int>{6});
    const std::vector<std::string> elseIf =
        Warnings("main()\n{\nif (x > 0)\nx = 1\nelse if (x == 0)\nx = 2;\n}\n");
    ASSERT_EQ(elseIf.size(), 1u);
    EXPECT_NE(elseIf[0].find("5: else doit être seul"), std::string::npos) << elseIf[0];
    EXPECT_NE(elseIf[0].find("« if (x == 0) »"), std::string::npos) << elseIf[0];
}

// A brace missing, one too many, or sharing its line: the line to change.
TEST(ProgramCheck, BraceMistakesPointAtTheLineToChange) {
    // The block's lines are indented: the } is missing after the last of them.
    EXPECT_EQ(
        Warnings("main()\n{\n  for (i=1; i<=3; i++)\n  {\n    x = i;\n    y = i;\n  z = 1;\n}\n"),
        std::vector<std::string>{
            "6: Il manque } après cette ligne pour fermer le bloc ouvert ligne 4."});
    // Nothing indented: the brace left without its partner.
    EXPECT_EQ(Lines("main()\n{\nwhile (i < 3)\n{\ni++;\n}\n"), std::vector<int>{2});
    EXPECT_EQ(Lines("main()\n{\n  if (x > 2)\n  {\n    x = 1;\n  };\n  };\n  x = 2;\n}\n"),
              std::vector<int>{7});
    EXPECT_EQ(Lines("main()\n{\n}\n}\n"), std::vector<int>{4});
    EXPECT_EQ(Lines("main() {\nx = 1;\n}\n"), std::vector<int>{1});
    EXPECT_EQ(Lines("main()\n{\nif (x > 1)\n{ x = 5\n}\n}\n"), std::vector<int>{4});
    EXPECT_EQ(Lines("main()\n{\ndo\n{\ni++;\n} while (i >= 3);\n}\n"), std::vector<int>{6});
}

TEST(ProgramCheck, LoopsThatCannotWorkAsMeant) {
    EXPECT_EQ(
        Warnings("main()\n{\nfor (i=10; i>=1; i++)\nx = i;\n}\n"),
        std::vector<std::string>{"3: Avec i >= 1, le compteur doit descendre : écrivez i--."});
    EXPECT_EQ(Lines("main()\n{\nfor (i=1; i<=9; i+=2)\nx = i;\n}\n"), std::vector<int>{3});
    EXPECT_EQ(Lines("main()\n{\nfor (i=1; i<=9; i++);\nx = i;\n}\n"), std::vector<int>{3});
    // The condition's variable never changes: said after the last line of the body.
    EXPECT_EQ(Warnings("main()\n{\ni = 1;\nwhile (i <= 10)\n{\ns = s + i;\nt = s;\n}\n}\n"),
              std::vector<std::string>{
                  "7: i ne change jamais dans la boucle while de la ligne 4 : elle ne s'arrêtera "
                  "pas. Changez-le dans la boucle, par exemple i++; après cette ligne."});
    // It changes through a read, a call or a jump: no warning.
    EXPECT_EQ(Lines("main()\n{\nwhile (n < 5)\n  gets(n);\nwhile (n < 5)\n  lire();\n}\n"),
              std::vector<int>{});
    // A do loop stops when its condition becomes true.
    EXPECT_EQ(Warnings("main()\n{\ndo\n{\ni++;\n}\nwhile (i < 5);\n}\n"),
              std::vector<std::string>{"7: La boucle do s'arrête dès que la condition devient "
                                       "vraie : écrivez la condition de fin, while (i >= 5);"});
    EXPECT_EQ(Lines("main()\n{\nwhile (feof(f))\nfgets(f, s);\n}\n"), std::vector<int>{3});
    // Several lines after a header without braces, and a loop in a loop.
    EXPECT_EQ(Lines("main()\n{\n  while (n < 9)\n    x = n;\n    n++;\n}\n"),
              (std::vector<int>{3, 4}));
    EXPECT_EQ(Lines("main()\n{\nfor (i=1; i<=2; i++)\n  for (j=1; j<=2; j++)\n    x = j;\n}\n"),
              std::vector<int>{3});
}

TEST(ProgramCheck, ArraysAreUsedWithinTheirSize) {
    EXPECT_EQ(Warnings("int t[5]\nmain()\n{\nt[6] = 1;\nt[5] = 1;\n}\n"),
              std::vector<std::string>{"4: t a 5 éléments, de t[1] à t[5] : t[6] n'existe pas."});
    EXPECT_EQ(Lines("float t[4]\nmain()\n{\nfor (i=0; i<=3; i++)\n  t[i] = 1;\n}\n"),
              std::vector<int>{4});
    EXPECT_EQ(Lines("int u[3], t[4]\nmain()\n{\nfor (i=1; i<=5; i++)\n  t[i] = 1;\n}\n"),
              std::vector<int>{4});
    EXPECT_EQ(Lines("int t[4]\nmain()\n{\nfor (i=1; i<5; i++)\n  t[i] = 1;\n}\n"),
              std::vector<int>{});
    // A string's size is no array's.
    EXPECT_EQ(Lines("char s[4]\nmain()\n{\ns[9] = 'a';\n}\n"), std::vector<int>{});
}

TEST(ProgramCheck, DeclarationsAndProgramShape) {
    EXPECT_EQ(Lines("int x = 5;\nFILE *f;\nstring s;\ndouble d;\nInt y;\nint main()\n{\n}\n"),
              (std::vector<int>{1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(Warnings("FILE *sortie;\nmain()\n{\n}\n"),
              std::vector<std::string>{
                  "1: Un fichier se déclare en minuscules, sans étoile : file sortie;"});
    EXPECT_EQ(Lines("int n\nmain()\n{\naffiche();\n}\nvoid affiche()\n{\n}\n"),
              std::vector<int>{6});
    EXPECT_EQ(Lines("int n\nprincipal()\n{\nn = 1;\n}\n"), std::vector<int>{2});
    EXPECT_EQ(Lines("main()\n{\nx = 5; // depart\ns = 'abc';\nf = fopen(\"a\",\"w\");\n}\n"),
              (std::vector<int>{3, 4, 5}));
    // A file opened for reading, then written: the fopen line is the one to change.
    EXPECT_EQ(Lines("file f\nmain()\n{\nf=fopen(\"a\",\"r\");\nx = 1;\nfputs(\"y\", f);\n}\n"),
              std::vector<int>{4});
}

// Mistakes as other students write them: each warned at the line to change, with that
// line corrected where one line says it all.
TEST(ProgramCheck, OtherPhrasingsOfTheSameMistakes) {
    // An if without else: the then-line needs its ';', the block its "};".
    EXPECT_EQ(Warnings("main()\n{\nif (x > m)\n  m = x\nputs(\"f\");\n}\n"),
              std::vector<std::string>{"4: Ce if n'a pas de else : terminez cette ligne par un "
                                       "point-virgule, « m = x; »."});
    EXPECT_EQ(Lines("main()\n{\nif (x > m)\n{\n  m = x;\n}\nputs(\"f\");\n}\n"),
              std::vector<int>{6});
    // main() without its brace: the run would stop at once; no "} de trop" on top of it.
    EXPECT_EQ(Lines("int x\nmain()\n  x = 5;\n}\n"), std::vector<int>{2});
    EXPECT_EQ(Warnings("int a; int b;\nmain()\n{\n}\n"),
              std::vector<std::string>{
                  "1: Un seul point-virgule, à la fin de la déclaration : écrivez int a, b;"});
    EXPECT_EQ(Warnings("char c, nom;\nmain()\n{\n  gets(nom);\n}\n"),
              std::vector<std::string>{"1: nom reçoit un texte, ligne 4 : déclarez-le avec une "
                                       "taille, char c, nom[80];"});
    EXPECT_EQ(Warnings("main()\n{\nwhile (feof(f) == 0)\n  fgets(f, s);\n}\n"),
              std::vector<std::string>{"3: Écrivez while (!feof(f)) : la boucle tourne tant que "
                                       "le fichier n'est pas fini."});
    EXPECT_EQ(Lines("main()\n{\nc = 0;\ndo\n{\nc = c + 2;\n}\nwhile (c != 10);\n}\n"),
              std::vector<int>{8});
    // A variable read before the loop is to be read again inside it.
    const std::vector<std::string> reread =
        Warnings("main()\n{\nscanf(\"%d\", &n);\nwhile (n != 0)\n{\ns = s + n;\n}\n}\n");
    ASSERT_EQ(reread.size(), 1u);
    EXPECT_NE(reread[0].find("6: n ne change jamais"), std::string::npos) << reread[0];
    EXPECT_NE(reread[0].find(": scanf(\"%d\", &n);"), std::string::npos) << reread[0];
    // Two operations: the multiplication first, as the student meant it.
    EXPECT_EQ(Warnings("main()\n{\nx = a + b * c;\ny = a - b + c;\n}\n"),
              (std::vector<std::string>{
                  "3: Une seule opération par ligne : écrivez x = b * c; puis x = a + x; sur la "
                  "ligne suivante.",
                  "4: Une seule opération par ligne : écrivez y = a - b; puis y = y + c; sur la "
                  "ligne suivante."}));
    EXPECT_EQ(Warnings("main()\n{\n  printf(\"Nombre : );\n  printf(\"%d\\n\" n);\n"
                       "  printf(\"%.2f\\n\", r);\n  if (a > b) m = a;\n}\n"),
              (std::vector<std::string>{
                  "3: Il manque le guillemet qui ferme le texte : printf(\"Nombre : \");",
                  "4: Il manque la virgule entre le format et la variable : printf(\"%d\\n\", n);",
                  "5: Écrivez %f sans rien entre % et la lettre : printf(\"%f\\n\", r);",
                  "6: Écrivez « if (a > b) » seul sur sa ligne, et « m = a; » sur la ligne "
                  "suivante."}));
    EXPECT_EQ(Lines("main()\n{\na = 5; b = 3;\ni =+ 1;\nfor (i=1, i<=3, i++)\n  x = i;\n"
                    "fputs(f, \"a\");\nscanf(\"%d\", &t[i]);\nif (strlen(s) > 5)\n  x = 1;\n"
                    "randomize();\n}\n"),
              (std::vector<int>{3, 4, 5, 7, 8, 9, 11}));
}

// A second batch of phrasings: the program's start, procedures, comments, braces and
// lines the language reads otherwise than C.
TEST(ProgramCheck, MoreShapesOfTheProgramText) {
    // A question asked again: written as in C, the answer that asks for more ends it.
    EXPECT_EQ(Warnings("main()\n{\ndo\n{\n  gets(rep);\n}\nwhile (rep == \"oui\");\n"
                       "if x > 2\n  x = 1;\n}\n"),
              (std::vector<std::string>{
                  "7: La boucle do s'arrête dès que la condition devient vraie : pour recommencer "
                  "tant que la réponse le demande, écrivez while (rep != \"oui\");",
                  "8: Mettez la condition entre parenthèses : if (x > 2)"}));
    // Statements in capitals are the same statements.
    EXPECT_EQ(Lines("main()\n{\nIF (n > 1)\n  PUTS(\"a\");\nELSE\n  PUTS(\"b\");\n"
                    "For (i=10; i>=1; i++)\n  x = i;\nWhile (feof(f))\n  x = 1;\n}\n"),
              (std::vector<int>{4, 7, 9}));
    EXPECT_EQ(Lines("int a\nmain ()\n{\na = 1;\n}\n"), std::vector<int>{2});
    EXPECT_EQ(Lines("int a\n{\na = 1;\n}\n"), std::vector<int>{2});
    EXPECT_EQ(Lines("void titre ()\n{\n}\nmain()\n{\ntitre();\n}\n"), std::vector<int>{1});
    EXPECT_EQ(Lines("main()\n{\n/* on lit\n   le nombre\n   ici */\nx = 1;\n}\n"),
              std::vector<int>{4});
    EXPECT_EQ(Lines("main()\n{\nif (a == b)\n{\nx = 1;\n} ;\nelse\nx = 2;\n}\n"),
              std::vector<int>{6});
    EXPECT_EQ(Lines("main()\n{\nif (a > 1)\n  x = 1\nelse\n  x = 2;\n  n++;\n}\n"),
              std::vector<int>{5});
    EXPECT_EQ(Lines("main()\n{\nfor (i=1; i<=3; i++)\nprintf(\"%d\\n\", i);\ns = s + i;\n}\n"),
              std::vector<int>{3});
    EXPECT_EQ(Lines("int t[3]\nmain()\n{\ni ++;\nt[i]++;\n}\n"), (std::vector<int>{4, 5}));
    EXPECT_EQ(Warnings("int notes[];\nmain()\n{\nfor (i=1; i=5; i++)\n  x = i;\n"
                       "printf(\"Oui, non\\n\");\nfgets(nom, 30, stdin);\n}\n"),
              (std::vector<std::string>{
                  "1: Donnez la taille du tableau entre les crochets : int notes[10];",
                  "4: La condition du for compare le compteur à la fin : for (i=1; i<=5; i++)",
                  "6: Une virgule dans le texte coupe le printf : écrivez puts(\"Oui, non\"); "
                  "(puts passe à la ligne), ou enlevez la virgule.",
                  "7: Pour lire une ligne au clavier, écrivez gets(nom);"}));
}

// Statements of other languages, and files and procedures written as in C.
TEST(ProgramCheck, StatementsWrittenAsInOtherLanguages) {
    EXPECT_EQ(Warnings("file f;\nvoid carre(int x)\n{\n}\nmain()\n{\nf=fopen(sortie.txt,\"w\");\n"
                       "fputs(\"a\");\nprintf(\"%d\\n\", s / n);\nscanf(\"%d\", & n);\n"
                       "if (a > b) { m = a; }\n}\n"),
              (std::vector<std::string>{
                  "2: Une procédure n'a pas de paramètres : écrivez void carre() et passez les "
                  "valeurs par des variables déclarées en tête.",
                  "7: Mettez le nom du fichier entre guillemets : f=fopen(\"sortie.txt\",\"w\");",
                  "8: fputs écrit dans un fichier : nommez-le après le texte, fputs(\"a\", f); "
                  "(pour l'écran, écrivez puts).",
                  "9: Calculez d'abord dans une variable, r = s / n; puis affichez-la, "
                  "printf(\"%d\\n\", r);",
                  "10: Écrivez & collé au nom : scanf(\"%d\", &n);",
                  "11: Écrivez « if (a > b) » seul sur sa ligne, puis {, « m = a; » et } chacun "
                  "sur sa ligne."}));
    EXPECT_EQ(Lines("main()\n{\nfor (i=1; i<=3; i++)\n{\nif (i == 2)\n  continue;\n}\n"
                    "fopen(\"a.txt\",\"r\");\n}\n"),
              (std::vector<int>{6, 8}));
}

// Shapes of labels, getch and formats that the run reads otherwise than meant.
TEST(ProgramCheck, LabelsGetchAndFormats) {
    EXPECT_EQ(Warnings("main()\n{\nc = getch;\ndebut :\nprintf(\"Moyenne : %.1f\\n\", m);\n"
                       "goto debut;\n}\n"),
              (std::vector<std::string>{
                  "3: Écrivez getch() avec ses parenthèses : c = getch();",
                  "4: Écrivez debut: sans espace avant les deux-points.",
                  "5: Écrivez %f sans rien entre % et la lettre, et le texte dans un printf à "
                  "part : printf(\"Moyenne : \"); printf(\"%f\\n\", m);"}));
}

// The corrected line is built from the student's own names.
TEST(ProgramCheck, CorrectionsUseTheStudentsNames) {
    EXPECT_EQ(Warnings("int i = 0, s = 0;\nmain()\n{\nif (c == 'o' || c == 'O')\n  x = 1;\n"
                       "if (n%2)\n  x = 2;\nwhile (n > 0)\n{\n  x = n;\n}\n}\n"),
              (std::vector<std::string>{
                  "1: Une déclaration ne donne pas de valeur : écrivez int i, s; puis donnez la "
                  "valeur dans main().",
                  "4: Il n'y a pas de || : écrivez un if par condition, l'un après l'autre, "
                  "if (c == 'o') puis if (c == 'O').",
                  "6: Pas de calcul dans une condition : rangez d'abord le calcul dans une "
                  "variable, r = n%2; puis comparez-la, if (r != 0).",
                  "10: n ne change jamais dans la boucle while de la ligne 8 : elle ne "
                  "s'arrêtera pas. Changez-le dans la boucle, par exemple n--; après cette "
                  "ligne."}));
    // A counter moved the wrong way: the line with its sign turned.
    EXPECT_EQ(Warnings("main()\n{\nwhile (n > 0)\n{\n  s = s + n;\n  n++;\n}\n"
                       "while (s < 99)\n  s = s - 2;\nwhile (t < 9)\n{\n  t--;\n  t = u;\n}\n}\n"),
              (std::vector<std::string>{
                  "6: n doit descendre pour que la boucle while de la ligne 3 s'arrête : écrivez "
                  "n--;",
                  "9: s doit monter pour que la boucle while de la ligne 8 s'arrête : écrivez "
                  "s = s + 2;"}));
    EXPECT_EQ(Warnings("main()\n{\nwhile (i <= 9 && t == 0)\n  i++;\nfor (int k = 1; k <= 3; k++)\n"
                       "  x = k;\n}\n"),
              (std::vector<std::string>{
                  "3: Il n'y a pas de && : écrivez while (i <= 9), et dans la boucle un if qui "
                  "fait break; quand t == 0 n'est plus vrai.",
                  "5: Déclarez le compteur en tête du programme (int k;), puis écrivez le for "
                  "sans int : for (k = 1; k <= 3; k++)"}));
}

// Shapes close to those mistakes that are right, and must stay without a warning.
TEST(ProgramCheck, NearMissesGetNoWarning) {
    const std::string program = R"P(char c, mot[20];
int a, b, x, t[3];
void double()
{
  x = x * 2;
}
main()
{
  double();
  c = '+';
  scanf("%c", &c);
  gets(mot);
  x = -a;
  x = a * -3;
  mot = "a+b; c" + mot;
  mot = '-' + mot;
  x = ABS(a);
  if (a > b)
    x = 1
  else
    x = 2;
  if (a == b)
  {
    x = 3;
  };
  if (a < b)
  {
    x = 4;
  }
  else
    x = 5;
  do
  {
    a = a + 1;
  }
  while (a == 10);
  do
  {
    scanf("%c", &c);
  }
  while (c == 'n');
  if (a > b)
  {
    x = 6;
  } ;
  for (a=1; a<=2; a++)
  printf("%d\n", a);
  x = x + 1;
  /* un commentaire */
  puts("fin; (ok)");
  printf("%d\n", x);
}
)P";
    EXPECT_EQ(Warnings(program), std::vector<std::string>{});
}

// Markers, odd bytes and cut programs are read without harm.
TEST(ProgramCheck, AnyTextIsReadSafely) {
    EXPECT_EQ(Lines("int t[3]\nmain()\n»{\n•  t[9] = 1;\n}\n"), std::vector<int>{4});
    const std::string program = "int t[3]\nmain()\n{\n  for (i=0; i<=9; i++)\n  {\n    t[i] = "
                                "'ab';\n  } while (x < 2);\n  else if (\nif (x = ;\n}\n}\n";
    for (std::size_t n = 0; n <= program.size(); ++n)
        CheckProgram(MemoryText(program.substr(0, n)));
    std::mt19937 random(27);
    const std::string alphabet = "{}();[]'\"=<>!&|+-*/%019 abfirtwxe\t\n";
    for (int round = 0; round < 2000; ++round) {
        std::string text;
        const int length = static_cast<int>(random() % 60);
        for (int k = 0; k < length; ++k)
            text += alphabet[random() % alphabet.size()];
        for (const ProgramWarning& w : CheckProgram(MemoryText(text)))
            ASSERT_FALSE(w.text.empty()) << text;
        ShapeAdvice(text);
    }
}

} // namespace
} // namespace vokc::test
