// Each hint is attached to its message, and only when the line shows the mistake.
#include <gtest/gtest.h>

#include "fake_host.h"
#include "hints.h"
#include "interpreter.h"
#include "temp_dir.h"
#include "text.h"

namespace vokc::test {
namespace {

std::string HintText(const char* message, const std::string& program, int line) {
    const MemoryText text(program);
    return Cp1252ToUtf8(HintFor(Utf8ToCp1252(message), text, line).text);
}

TEST(Hints, EachMistakeGetsItsHint) {
    const std::string any = "main()\n{\nx = 1\n}\n";
    EXPECT_EQ(
        HintText("Spécification de format incorrecte", any, 2),
        "Le format ne contient que %d, %f, %c ou %s : écrivez le texte dans un printf à part.");
    EXPECT_EQ(HintText("Identificateur inconnu", "scanf(\"%d\", x)\n", 0),
              "Il manque & devant le nom de la variable ?");
    EXPECT_EQ(HintText("Erreur dans expression", "x = a + b * c\n", 0),
              "Une seule opération par ligne : écrivez x = b * c; puis x = a + x; sur la ligne "
              "suivante.");
    EXPECT_EQ(HintText("Fichier non ouvert en écriture",
                       "file f\nmain()\n{\nf= fopen(\"a\",\"w\")\nfputs(\"x\", f)\n}\n", 4),
              "Écrivez f=fopen(...) sans espace à la ligne 4.");
    EXPECT_EQ(HintText("ELSE manquant", any, 2), "Terminez le bloc par }; s'il n'y a pas de else.");
    EXPECT_EQ(HintText("Erreur de syntaxe", "\xBB  while(i<3)\n", 0),
              "Écrivez une espace entre le mot et la parenthèse : for (, if (, while (.");
    EXPECT_NE(HintText("Identificateur y inconnu", any, 2), "");
    for (const char* message :
         {"MAIN() non trouvé", "Fin de bloc non détectée", "Délimiteur } sans {",
          "Etiquette non trouvée", "Indice hors limites"})
        EXPECT_NE(HintText(message, any, -1), "") << message;
    const MemoryText text(any);
    EXPECT_EQ(HintFor(Utf8ToCp1252("ELSE manquant"), text, 2).page, "messages.html#else-manquant");
}

// A name not understood: the declared name it is near, or, for a name used on several
// lines, the declaration to add it to, shown at that declaration's line; a misspelt
// statement; the format that fits the variable.
TEST(Hints, HintsNameWhatToWrite) {
    const std::string program = "int somme, total, x;\nfloat r;\nmain()\n{\n"
                                "Somme = x;\nresultat = x * 2;\nx = resultat;\nprinft(\"a\");\n"
                                "printf(\"%d\\n\", totale);\nscanf(\"%d\", &r);\n}\n";
    EXPECT_EQ(HintText("Identificateur Somme inconnu", program, 4),
              "Somme n'est pas déclaré : vouliez-vous écrire somme ? (les majuscules comptent)");
    const MemoryText text(program);
    const Hint declare = HintFor(Utf8ToCp1252("Identificateur resultat inconnu"), text, 5);
    EXPECT_EQ(Cp1252ToUtf8(declare.text),
              "resultat n'est pas déclaré : ajoutez-le à la ligne 1, int somme, total, x, "
              "resultat;");
    EXPECT_EQ(declare.line, 0);
    EXPECT_EQ(HintText("Identificateur  inconnu", program, 7),
              "Vouliez-vous écrire printf ? « prinft » n'est pas une instruction.");
    EXPECT_EQ(HintText("Identificateur inconnu", program, 8),
              "totale n'est pas déclaré : vouliez-vous écrire total ? (les majuscules comptent)");
    EXPECT_EQ(HintText("Spécification de format incorrecte", program, 9),
              "r est un float : son code est %f, scanf(\"%f\", &r);");
    EXPECT_EQ(HintText("Spécification de format incorrecte",
                       "int s;\nmain()\n{\nprintf(\"Somme : %d euros\\n\", s);\n}\n", 3),
              "Le format ne contient que le code : un printf par morceau, printf(\"Somme : \"); "
              "printf(\"%d\", s); printf(\" euros\\n\");");
    // A procedure called in another case, or declared with a blank before "()"; puts of
    // a number.
    const std::string calls = "int n;\nvoid titre ()\n{\n}\nvoid affiche()\n{\n}\nmain()\n{\n"
                              "Affiche();\ntitre();\nputs(n);\n}\n";
    EXPECT_EQ(HintText("Identificateur  inconnu", calls, 9),
              "La procédure s'appelle affiche (les majuscules comptent) : écrivez affiche();");
    const Hint blank = HintFor(Utf8ToCp1252("Identificateur  inconnu"), MemoryText(calls), 10);
    EXPECT_EQ(Cp1252ToUtf8(blank.text),
              "Écrivez void titre() sans espace avant la parenthèse, ligne 2.");
    EXPECT_EQ(blank.line, 1);
    EXPECT_EQ(
        HintText("Identificateur  inconnu", "void affiche()\n{\n}\nmain()\n{\nafiche();\n}\n", 5),
        "La procédure s'appelle affiche : écrivez affiche();");
    EXPECT_EQ(HintText("ce n'est pas un string", calls, 11),
              "puts n'affiche qu'une chaîne : pour un int, écrivez printf(\"%d\\n\", n);");
}

// Messages of declarations and names that had no hint: what to write, with the names.
TEST(Hints, DeclarationMessagesSayWhatToWrite) {
    const std::string program = "int n, t[3];\nfloat r;\nint n;\nint _compteur;\nmain()\n{\n"
                                "r++;\ngets(nom);\nfputs(\"a\", fic);\nn = 2x;\nt = 0;\n"
                                "return;\n}\n";
    EXPECT_EQ(HintText("Symbole déjà défini", program, 2),
              "n est déjà déclaré ligne 1 : enlevez-le de cette ligne-ci.");
    EXPECT_EQ(HintText("Caractère non valide (a-z)", program, 3),
              "Un nom commence par une lettre : écrivez compteur au lieu de _compteur.");
    EXPECT_EQ(HintText("Variable non integer", program, 6),
              "++ et -- ne vont qu'avec un int : écrivez r = r + 1;");
    EXPECT_EQ(HintText("Variable nom inconnue", program, 7),
              "Déclarez nom en tête du programme, par exemple char nom[80]; pour un texte.");
    EXPECT_EQ(HintText("Nom de fichier inconnu", program, 8),
              "Déclarez le fichier en tête du programme : file fic;");
    EXPECT_EQ(HintText("'2x' n'est pas une valeur entière correcte", program, 9),
              "Écrivez la multiplication avec * : 2 * x.");
    EXPECT_EQ(HintText("Identificateur t inconnu", program, 10),
              "t est un tableau : nommez un élément, t[1]");
    EXPECT_EQ(HintText("Identificateur  inconnu", "int n;\nmain()\n{\nn * 2;\n}\n", 3),
              "Un calcul range son résultat dans une variable : écrivez n = n * 2;");
    const Hint label = HintFor(Utf8ToCp1252("Etiquette non trouvée"),
                               MemoryText("main()\n{\nfin :\ngoto fin;\n}\n"), 3);
    EXPECT_EQ(label.line, 2);
    EXPECT_EQ(Cp1252ToUtf8(label.text),
              "Ligne 3 : Écrivez fin: sans espace avant les deux-points.");
    EXPECT_EQ(HintText("Pile vide", program, 11),
              "return sert à revenir d'une procédure : pour arrêter le programme dans main(), "
              "écrivez exit;");
}

// Hints that fit the place where the run stopped: a line that is no statement, the two
// places of a missing else, and a failed fopen naming its file and folder.
TEST(Hints, HintsFitWhereTheRunStopped) {
    // A line that is no statement: the hint names the word not understood, or says what
    // to write when the line has a known shape.
    EXPECT_EQ(HintText("Identificateur  inconnu", "clrscr()\n", 0),
              "Écrivez clrscr; sans parenthèses.");
    const std::string nameless = HintText("Identificateur  inconnu", "  afiche();\n", 0);
    EXPECT_NE(nameless.find("« afiche »"), std::string::npos) << nameless;
    EXPECT_EQ(nameless.find("Déclarez"), std::string::npos) << nameless;
    EXPECT_NE(HintText("Identificateur y inconnu", "y = 2\n", 0), nameless);

    // ELSE manquant on the IF line: the semicolon goes on the next line of code, which the
    // hint names and where it is shown.
    const std::string ifElse = "int x\nmain()\n{\nif (x == 1)\n// un\n  puts(\"un\")\n}\n";
    const MemoryText ifText(ifElse);
    const Hint onIf = HintFor(Utf8ToCp1252("ELSE manquant"), ifText, 3);
    EXPECT_EQ(Cp1252ToUtf8(onIf.text),
              "S'il n'y a pas de else, terminez la ligne 6 par un point-virgule : puts(\"un\");");
    EXPECT_EQ(onIf.line, 5);
    EXPECT_NE(HintText("ELSE manquant", "IF(x == 1)\n", 0), "");
    EXPECT_EQ(HintText("ELSE manquant", "if (x == 1)\n{\nx = 2\n}\n", 3),
              "Terminez le bloc par }; s'il n'y a pas de else.");

    const TempDirGuard dir;
    const std::string folder = dir.dir().lexically_normal().string();
    const std::string read = HintText("Erreur Entrée/Sortie", "f=fopen(\"notes.txt\",\"r\");\n", 0);
    EXPECT_NE(read.find("« notes.txt »"), std::string::npos) << read;
    EXPECT_NE(read.find("« " + folder + " »"), std::string::npos) << read;
    const std::string write =
        HintText("Erreur Entrée/Sortie", "f = fopen(\"sous/x.txt\", \"w\")\n", 0);
    EXPECT_NE(write.find("« x.txt »"), std::string::npos) << write;
    EXPECT_NE(write.find("« " + folder + "/sous »"), std::string::npos) << write;
    EXPECT_NE(write.find("créé"), std::string::npos) << write;
    EXPECT_EQ(HintText("Erreur Entrée/Sortie", "f=fopen(PRN:,\"w\")\n", 0), "");
    EXPECT_EQ(
        HintFor(Utf8ToCp1252("Erreur Entrée/Sortie"), MemoryText("f=fopen(\"a\",\"r\")\n"), 0).page,
        "messages.html#fichiers");

    // A name held in a variable is read from the run.
    FakeHost host;
    Interpreter run(host);
    const MemoryText program(
        "char n[20]\nfile f\nmain()\n{\nn = \"absent.txt\"\nf=fopen(n,\"r\")\n}\n");
    const int start = run.Exec(program, 0, StepMode::Free).line;
    ASSERT_EQ(host.AllMessages(), Utf8ToCp1252("Erreur Entrée/Sortie|"));
    const std::string named =
        Cp1252ToUtf8(HintFor(Utf8ToCp1252("Erreur Entrée/Sortie"), program, start, &run).text);
    EXPECT_NE(named.find("« absent.txt »"), std::string::npos) << named;
    EXPECT_NE(named.find("« " + folder + " »"), std::string::npos) << named;
}

// A mistake reported on one line and made on another: the hint names the line to change
// and is shown there.
TEST(Hints, HintsNameTheLineToChange) {
    const auto hint = [](const char* message, const std::string& program, int line) {
        return HintFor(Utf8ToCp1252(message), MemoryText(Utf8ToCp1252(program)), line);
    };
    // A declaration not understood, reported where the name is used.
    Hint h = hint("Identificateur x inconnu", "Int x;\nmain()\n{\nx = 2;\n}\n", 3);
    EXPECT_EQ(Cp1252ToUtf8(h.text), "Ligne 1 : Écrivez int en minuscules : int x;");
    EXPECT_EQ(h.line, 0);
    // A name that is only misspelt keeps its own hint, on its own line.
    h = hint("Identificateur y inconnu", "int x;\nmain()\n{\ny = 2;\n}\n", 3);
    EXPECT_EQ(h.line, -1);
    EXPECT_NE(Cp1252ToUtf8(h.text).find("Déclarez"), std::string::npos);
    // A calculation taken for a name: the hint is about the calculation, not a declaration.
    h = hint("Identificateur n+4 inconnu", "for (i=1; i<=n+4; i++)\n", 0);
    EXPECT_EQ(Cp1252ToUtf8(h.text), "La fin d'un for est un nombre ou une variable : calculez-la "
                                    "avant la boucle, fin = n+4; puis for (i=1; i<=fin; i++)");
    // No main() line: the line that should be it.
    h = hint("MAIN() non trouvé", "int x;\nprincipal()\n{\nx = 1;\n}\n", 0);
    EXPECT_EQ(h.line, 1);
    EXPECT_NE(Cp1252ToUtf8(h.text).find("Ligne 2 : "), std::string::npos);
    // A procedure called without its parentheses, or declared with Void.
    h = hint("Identificateur  inconnu", "void affiche()\n{\n}\nmain()\n{\naffiche;\n}\n", 5);
    EXPECT_EQ(Cp1252ToUtf8(h.text),
              "affiche est une procédure : appelez-la avec ses parenthèses, affiche();");
    h = hint("Identificateur  inconnu", "Void affiche()\n{\n}\nmain()\n{\naffiche();\n}\n", 5);
    EXPECT_EQ(h.line, 0);
    EXPECT_NE(Cp1252ToUtf8(h.text).find("void en minuscules à la ligne 1"), std::string::npos);
    // ELSE manquant because the else below is written with something after it.
    h = hint("ELSE manquant", "if (n > 0)\n  x = 1\nelse if (n == 0)\n  x = 2;\n", 0);
    EXPECT_EQ(h.line, 2);
    EXPECT_NE(Cp1252ToUtf8(h.text).find("Le else de la ligne 3"), std::string::npos);
}

TEST(Hints, NoHintWhenTheLineDoesNotShowTheMistake) {
    EXPECT_EQ(HintText("Identificateur inconnu", "scanf(\"%d\", &x)\n", 0), "");
    EXPECT_EQ(HintText("Identificateur inconnu", "clrscr\n", 0), "");
    EXPECT_EQ(HintText("Erreur dans expression", "x = a + 1\n", 0), "");
    EXPECT_EQ(HintText("Erreur dans expression", "x = -2 * b\n", 0), "");
    EXPECT_EQ(HintText("Erreur dans expression", "x = \"a+b*c\" + 1\n", 0), "");
    EXPECT_EQ(HintText("Fichier non ouvert en écriture",
                       "file f\nf=fopen(\"a\",\"r\")\nfputs(\"x\", f)\n", 2),
              "");
    EXPECT_EQ(
        HintText("Fichier non ouvert en écriture", "f =fopen(\"a\",\"r\")\nfputs(\"x\", f)\n", 1),
        ""); // a blank before the = only: fopen ran
    EXPECT_EQ(HintText("Fichier non ouvert en écriture", "fputs(\"x\", g)\n", 0), "");
    EXPECT_EQ(HintText("Erreur de syntaxe", "for (i=1; i<3; i++\n", 0), "");
    EXPECT_EQ(HintText("Pile vide", "return\n", 0), "");
    EXPECT_EQ(HintText("Erreur de syntaxe", "", 99), ""); // a line outside the program
}

} // namespace
} // namespace vokc::test
