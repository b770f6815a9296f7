// Files, the printer and directories. Every test runs inside its own temporary
// directory, which is left and removed afterwards.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "engine_run.h"
#include "temp_dir.h"

namespace vokc::test {
namespace {

namespace fs = std::filesystem;

std::string W(std::string_view utf8) {
    return Engine::Cp(utf8);
}

std::string ReadBytes(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteBytes(const fs::path& p, std::string_view bytes) {
    std::ofstream out(p, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

class FilesTest : public ::testing::Test {
  protected:
    TempDirGuard guard;
    FakeHost host;
    Engine interp{host};

    void SetUp() override {
        interp.DeclareVariables("file f, g");
        interp.DeclareVariables("char s[80], nom[20], mode[5]");
        interp.DeclareVariables("int x");
        ASSERT_EQ(interp.State(), RunState::Running);
        interp.StoreValue("5", SymbolKind::Int, 1);
    }
    std::string Get(std::string_view name) { return vokc::test::ValueOf(interp, name); }
    // Reads every line of f as a `while (!feof(f))` loop does.
    std::vector<std::string> ReadAll() {
        std::vector<std::string> lines;
        while (!interp.EndOfFile(" f ) ") && lines.size() < 100) {
            interp.Fgets("f, s)");
            lines.push_back(Get("s"));
        }
        return lines;
    }
    using Lines = std::vector<std::string>;
};

TEST_F(FilesTest, WritingAndReadingLines) {
    interp.Fopen("f=fopen(\"out.txt\",\"w+t\");");
    interp.Fputs("\"abc\", f)");
    interp.Fputs("x,f)");
    interp.Fputs(W("\"été\", f)"));
    interp.Fclose("f)");
    EXPECT_EQ(ReadBytes("out.txt"), "abc\r\n5\r\n\xC3\xA9t\xC3\xA9\r\n");
    interp.Fopen("f =fopen(\"out.txt\", \"R\")"); // no semicolon, capital mode
    EXPECT_EQ(ReadAll(), (Lines{"abc", "5", W("été")}));

    WriteBytes("mixed.txt", "\xEF\xBB\xBFl1\r\nl2\nl3\r\r\n\xE9t\xE9");
    interp.Fopen("f=fopen(\"mixed.txt\",\"r\");"); // byte-order mark, CR, no final end
    EXPECT_EQ(ReadAll(), (Lines{"l1", "l2", "l3", "", W("été")}));

    WriteBytes("empty.txt", "");
    interp.Fopen("f=fopen(\"empty.txt\",\"r\");");
    EXPECT_EQ(ReadAll(), Lines{});
    EXPECT_EQ(interp.State(), RunState::Running);
    EXPECT_EQ(host.AllMessages(), "");
}

TEST_F(FilesTest, ReadingPastTheEndAndUnopenedSlots) {
    WriteBytes("one.txt", "12\n");
    interp.Fopen("f=fopen(\"one.txt\",\"r+t\");");
    interp.Fgets("f, 80, x)"); // the count is ignored
    interp.Fgets("f, s)");
    interp.Fgets("g, s)"); // never opened: an empty line, silently
    EXPECT_EQ(Get("x"), "12");
    EXPECT_EQ(Get("s"), "");
    EXPECT_EQ(host.AllMessages(), "");
    interp.Fgets("f, x)");
    EXPECT_EQ(host.AllMessages(), "Erreur de conversion|");
    EXPECT_EQ(Get("x"), "12");
}

TEST_F(FilesTest, ModesVariablesAndReopening) {
    interp.StoreValue("var.txt", SymbolKind::String, 81);
    interp.StoreValue("w", SymbolKind::String, 101);
    interp.Fopen("g=fopen(nom, mode);");
    interp.Fputs("\"v\", g)");
    interp.Fopen("g=fopen(nom,\"r\");"); // an open slot is closed before it is reopened
    interp.Fgets("g, s)");
    EXPECT_EQ(Get("s"), "v");
    interp.Fopen("f=fopen(\"appended.txt\",\"a\");"); // bound, but nothing is opened
    EXPECT_EQ(interp.State(), RunState::Running);
    EXPECT_FALSE(fs::exists("appended.txt"));
    EXPECT_THROW(interp.Fputs("\"x\", f)"), ErrorBoxFailure);
    try {
        interp.Fputs("\"x\", g)"); // open for reading
        ADD_FAILURE() << "writing to a file open for reading must end the run";
    } catch (const ErrorBoxFailure& e) {
        EXPECT_EQ(e.message, W("Fichier non ouvert en écriture"));
    }
    EXPECT_EQ(ReadBytes("var.txt"), "v\r\n");
}

TEST_F(FilesTest, StatementMessages) {
    fs::create_directory("dir");
    struct Case {
        void (Engine::*op)(std::string_view);
        const char* args;
        const char* message;
    };
    const Case cases[] = {
        {&Engine::Fopen, "f fopen(\"a\",\"w\");", "Erreur de syntaxe"},
        {&Engine::Fopen, "f=fopen(\"a\");", "Erreur de syntaxe"},
        {&Engine::Fopen, "x=fopen(\"a\",\"w\");", "Variable fichier attendue"},
        {&Engine::Fopen, "f=fopen(\"a,\"w\");", "chaine sans fin"},
        {&Engine::Fopen, "f=fopen(\"absent.txt\",\"r+t\");", "Erreur Entrée/Sortie"},
        {&Engine::Fopen, "f=fopen(\"dir\",\"r\");", "Erreur Entrée/Sortie"},
        {&Engine::Fputs, "\"a\")", "Variable fichier attendue"},
        {&Engine::Fputs, "\"a\", x)", "Variable fichier attendue"},
        {&Engine::Fputs, "\"a\", zz)", "Nom de fichier inconnu"},
        {&Engine::Fgets, "zz, s)", "Nom de fichier inconnu"},
        {&Engine::Fgets, "x, s)", "Variable fichier requiqe"},
        {&Engine::Fgets, "f)", "Variable fichier requiqe"},
        {&Engine::Fgets, "f, zz)", "Variable zz inconnue"},
        {&Engine::Fclose, "x)", "Variable fichier attendue"},
        {&Engine::Fclose, "f)", "Erreur d'entrée/sortie"},
        {&Engine::Fclose, "PRN:)", "Erreur d'entrée/sortie"},
    };
    for (const Case& c : cases) {
        host.messages.clear();
        (interp.*c.op)(c.args);
        EXPECT_EQ(interp.State(), RunState::Failed) << c.args;
        EXPECT_EQ(host.AllMessages(), W(c.message) + "|") << c.args;
    }
    EXPECT_FALSE(fs::exists("a"));
    host.messages.clear();
    EXPECT_TRUE(interp.EndOfFile("f)")); // not open
    interp.Fopen("f=fopen(\"w.txt\",\"w\");");
    EXPECT_TRUE(interp.EndOfFile("f)")); // open for writing
    EXPECT_TRUE(interp.EndOfFile("x)"));
    EXPECT_EQ(interp.State(), RunState::Failed);
    EXPECT_EQ(host.AllMessages(), W("Erreur d'entrée/sortie|Erreur d'entrée/sortie|"
                                    "Variable fichier attendue|"));
}

TEST_F(FilesTest, PrinterJobAndCloseAll) {
    EXPECT_THROW(interp.Fputs("\"avant\", PRN:)"), ErrorBoxFailure);
    interp.Fopen("f=fopen(PRN:,\"w\");");
    interp.Fputs("\"ligne\", PRN:)");
    interp.Fputs("x, prn:)");
    interp.Fclose("PRN:)");
    EXPECT_FALSE(host.printing);
    EXPECT_EQ(host.printed, (Lines{"ligne", "5"}));
    interp.Fopen("f=fopen(\"PRN:\",\"w\");"); // quoted: an ordinary file name
    interp.Fputs("\"fichier\", f)");
    WriteBytes("b.txt", "b\n");
    interp.Fopen("g=fopen(\"b.txt\",\"r\");");
    interp.Fopen("f=fopen(prn:,\"w\");"); // closes the file PRN: first
    EXPECT_EQ(host.printJobs, 2);
    EXPECT_EQ(interp.CloseAllFiles(), 0);
    EXPECT_EQ(interp.State(), RunState::Running);
    EXPECT_FALSE(host.printing);
    EXPECT_EQ(ReadBytes("PRN:"), "fichier\r\n");
    interp.EndOfFile("g)");
    EXPECT_EQ(host.AllMessages(), W("Erreur d'entrée/sortie|"));
    host.printerWorks = false;
    interp.Fopen("g=fopen(PRN:,\"w\");");
    EXPECT_EQ(host.messages.back(), W("Erreur Entrée/Sortie"));
}

TEST_F(FilesTest, Directories) {
    interp.Mkdir("\"data\"");
    interp.Chdir("\"data\"");
    interp.Fopen("f=fopen(\"x.txt\",\"w\");");
    interp.Fclose("f)");
    EXPECT_TRUE(fs::exists(guard.dir() / "data" / "x.txt"));
    interp.Chdir(" \"..\" ");
    EXPECT_EQ(host.AllMessages(), "");
    interp.Mkdir("\"data\"");
    interp.Rmdir("\"data\"");       // not empty
    interp.Rmdir("\"data/x.txt\""); // not a directory
    interp.Chdir("\"nulle part\"");
    interp.Mkdir("\"p\")"); // written with parentheses
    EXPECT_EQ(host.AllMessages(), W("Répertoire data n'a pas été créé|"
                                    "Répertoire data n'a pas été éffacé|"
                                    "Répertoire data/x.txt n'a pas été éffacé|"
                                    "Répertoire nulle part inexistant|chaine sans fin|"));
    fs::remove("data/x.txt");
    interp.Rmdir("\"data\"");
    EXPECT_EQ(interp.State(), RunState::Running);
    EXPECT_FALSE(fs::exists("data"));
}

// A line longer than any text is refused when it is stored, and only the part of it
// that decides this is read (a line without end cannot hold the run). A UTF-8 line of
// more than kTextMax bytes is accepted when its characters fit.
TEST_F(FilesTest, OverlongLinesAreRefusedNotKept) {
    std::string utf8;
    for (int i = 0; i < 600000; ++i)
        utf8 += "\xC3\xA9"; // 1.2 MB, 600000 characters
    WriteBytes("long.txt", std::string(kTextMax, 'a') + "\r\n" + utf8 + "\n" +
                               std::string(4 * kTextMax + 10, 'b') + "\nfin\n");
    interp.Fopen("f=fopen(\"long.txt\",\"r\");");
    interp.Fgets("f, s)");
    EXPECT_EQ(Get("s"), std::string(kTextMax, 'a'));
    interp.Fgets("f, s)");
    EXPECT_EQ(Get("s"), std::string(600000, '\xE9'));
    EXPECT_EQ(host.AllMessages(), "");
    interp.Fgets("f, s)");
    EXPECT_EQ(interp.State(), RunState::Failed);
    EXPECT_EQ(host.AllMessages(), W("Chaîne trop longue (1000000 caractères maxi)|"));
    EXPECT_EQ(Get("s"), std::string(600000, '\xE9'));
    interp.Fgets("f, s)"); // the part of the long line left unread
    EXPECT_EQ(Get("s"), std::string(9, 'b'));
    interp.Fgets("f, s)");
    EXPECT_EQ(Get("s"), "fin");
}

// Whole programs: a first run leaves a file and a print job open; the next run must
// find them closed, and its feof loop must read each line once.
TEST(FilePrograms, FeofLoopAfterARunThatLeftFilesOpen) {
    TempDirGuard guard;
    vokc::test::Run r("file f\nmain()\n{\nint x\nx = 5\nf=fopen(\"out.txt\",\"w+t\");\n"
                      "fputs(\"abc\", f);\nfputs(x, f);\nf=fopen(PRN:,\"w\");\n"
                      "fputs(\"page\", PRN:);\n}\n");
    r.Go();
    EXPECT_TRUE(r.host.printing);
    r.text = MemoryText("file g\nmain()\n{\nchar s[20]\ng=fopen(\"out.txt\",\"r\");\n"
                        "while (!feof(g))\n{\nfgets(g, s);\nputs(s);\n}\nfputs(s, g);\n}\n");
    r.startLine = 0;
    r.Go();
    EXPECT_FALSE(r.host.printing);
    EXPECT_EQ(r.host.printed, (std::vector<std::string>{"page"}));
    EXPECT_EQ(r.host.console, "abc\n5\n");
    EXPECT_EQ(r.host.errorBoxes, (std::vector<std::string>{W("Fichier non ouvert en écriture")}));
    EXPECT_EQ(r.startLine, 10); // the fputs line
}

} // namespace
} // namespace vokc::test
