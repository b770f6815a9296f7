// Files, the printer and directories. Every test runs inside its own temporary
// directory, which is left and removed afterwards.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include "fake_host.h"
#include "interpreter.h"

namespace vokc::test {
namespace {

namespace fs = std::filesystem;

std::string W(std::string_view utf8) { return Interpreter::Cp(utf8); }

// Makes a fresh temporary directory the current one for the life of the guard.
class TempDirGuard {
public:
    TempDirGuard() : previous_(fs::current_path()) {
        std::string pattern = (fs::temp_directory_path() / "vokc-files-XXXXXX").string();
        if (!mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp");
        dir_ = pattern;
        fs::current_path(dir_);
    }
    ~TempDirGuard() {
        std::error_code ec;
        fs::current_path(previous_, ec);
        fs::remove_all(dir_, ec);
    }
    TempDirGuard(const TempDirGuard&) = delete;
    TempDirGuard& operator=(const TempDirGuard&) = delete;
    const fs::path& dir() const { return dir_; }

private:
    fs::path previous_, dir_;
};

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
    Interpreter interp{host};

    void SetUp() override {
        interp.DeclareLine("file f, g");
        interp.DeclareLine("char s[80], c");
        interp.DeclareLine("int x");
        ASSERT_EQ(interp.RunState(), 0);
    }
    std::string Get(std::string_view name) {
        char kind = 0;
        std::int32_t index = 0;
        long double fl = 0;
        std::int32_t i = 0;
        std::string text;
        EXPECT_TRUE(interp.ChercheEtiq(name, kind, index));
        interp.LitValeur(index, kind, fl, i, text);
        return kind == 'I' ? std::to_string(i) : text;
    }
    // Reads every line of f as a `while (!feof(f))` loop does.
    std::vector<std::string> ReadAll() {
        std::vector<std::string> lines;
        while (!interp.EofCheck("f)") && lines.size() < 100) {
            interp.Fgets("f, s)");
            lines.push_back(Get("s"));
        }
        return lines;
    }
};

TEST_F(FilesTest, WrittenLinesEndWithCrLf) {
    interp.StoreValue("5", 'I', 1);
    interp.Fopen("f=fopen(\"out.txt\",\"w+t\");");
    interp.Fputs("\"abc\", f)");
    interp.Fputs("x,f)");
    interp.Fputs("'z', f)");
    interp.Fclose("f)");
    EXPECT_EQ(interp.RunState(), 0);
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(ReadBytes("out.txt"), "abc\r\n5\r\nz\r\n");
}

TEST_F(FilesTest, EndOfFileIsKnownAfterTheLastLine) {
    WriteBytes("mixed.txt", "l1\r\nl2\nl3\r\r\nl5");
    interp.Fopen("f =fopen(\"mixed.txt\", \"R\")"); // no final semicolon, upper-case mode
    ASSERT_EQ(interp.RunState(), 0);
    EXPECT_EQ(ReadAll(), (std::vector<std::string>{"l1", "l2", "l3", "", "l5"}));

    WriteBytes("trailing.txt", "a\nb\n");
    interp.Fopen("f=fopen(\"trailing.txt\",\"r\");");
    EXPECT_EQ(ReadAll(), (std::vector<std::string>{"a", "b"}));

    WriteBytes("empty.txt", "");
    interp.Fopen("f=fopen(\"empty.txt\",\"r\");");
    EXPECT_TRUE(interp.EofCheck(" f ) "));
    EXPECT_EQ(interp.RunState(), 0);
}

TEST_F(FilesTest, ReadingPastTheEnd) {
    WriteBytes("one.txt", "12\n");
    interp.Fopen("f=fopen(\"one.txt\",\"r+t\");");
    interp.Fgets("f, 80, x)"); // the count is ignored
    EXPECT_EQ(Get("x"), "12");
    interp.StoreValue("old", 'S', 1);
    interp.Fgets("f, s)");
    EXPECT_EQ(Get("s"), "");
    EXPECT_EQ(interp.RunState(), 0);
    interp.Fgets("f, x)");
    EXPECT_EQ(interp.RunState(), 1);
    EXPECT_EQ(host.AllMessages(), "Erreur de conversion|");
    EXPECT_EQ(Get("x"), "12");
    interp.Fgets("g, s)"); // a slot never opened reads an empty line, silently
    EXPECT_EQ(interp.RunState(), 0);
}

TEST_F(FilesTest, OpeningFailuresAndModes) {
    interp.Fopen("f=fopen(\"missing.txt\",\"r+t\");");
    EXPECT_EQ(interp.RunState(), 1);
    EXPECT_EQ(host.messages.back(), W("Erreur Entrée/Sortie"));
    fs::create_directory("dir");
    interp.Fopen("f=fopen(\"dir\",\"r\");");
    EXPECT_EQ(interp.RunState(), 1);
    interp.Fopen("f=fopen(\"appended.txt\",\"a\");"); // bound, but nothing is opened
    EXPECT_EQ(interp.RunState(), 0);
    EXPECT_FALSE(fs::exists("appended.txt"));
    EXPECT_THROW(interp.Fputs("\"x\", f)"), ErrorBoxFailure);

    WriteBytes("in.txt", "data\n");
    interp.Fopen("f=fopen(\"in.txt\",\"r\");");
    try {
        interp.Fputs("\"x\", f)");
        ADD_FAILURE() << "writing to a file open for reading must end the run";
    } catch (const ErrorBoxFailure& e) {
        EXPECT_EQ(e.message, W("Fichier non ouvert en écriture"));
    }
    EXPECT_EQ(ReadBytes("in.txt"), "data\n");
}

TEST_F(FilesTest, NameAndModeMayBeStringVariables) {
    interp.DeclareLine("char nom[20], mode[5]");
    interp.StoreValue("var.txt", 'S', 81);
    interp.StoreValue("w", 'S', 101);
    ASSERT_EQ(Get("nom"), "var.txt");
    ASSERT_EQ(Get("mode"), "w");
    interp.Fopen("g=fopen(nom, mode);");
    interp.Fputs("\"v\", g)");
    interp.Fclose("g)");
    EXPECT_EQ(interp.RunState(), 0);
    EXPECT_EQ(ReadBytes("var.txt"), "v\r\n");
}

TEST_F(FilesTest, ReopeningAnOpenVariableClosesItFirst) {
    interp.Fopen("f=fopen(\"re.txt\",\"w\");");
    interp.Fputs("\"premier\", f)");
    interp.Fopen("f=fopen(\"re.txt\",\"r\");");
    EXPECT_EQ(ReadAll(), (std::vector<std::string>{"premier"}));
    EXPECT_EQ(interp.RunState(), 0);
}

TEST_F(FilesTest, StatementMessages) {
    struct Case {
        void (Interpreter::*op)(std::string_view);
        const char* args;
        const char* message;
    };
    const Case cases[] = {
        {&Interpreter::Fopen, "f fopen(\"a\",\"w\");", "Erreur de syntaxe"},
        {&Interpreter::Fopen, "f=fopen(\"a\");", "Erreur de syntaxe"},
        {&Interpreter::Fopen, "x=fopen(\"a\",\"w\");", "Variable fichier attendue"},
        {&Interpreter::Fopen, "f=fopen(\"a,\"w\");", "chaine sans fin"},
        {&Interpreter::Fputs, "\"a\")", "Variable fichier attendue"},
        {&Interpreter::Fputs, "\"a\", x)", "Variable fichier attendue"},
        {&Interpreter::Fputs, "\"a\", zz)", "Nom de fichier inconnu"},
        {&Interpreter::Fgets, "zz, s)", "Nom de fichier inconnu"},
        {&Interpreter::Fgets, "x, s)", "Variable fichier requiqe"},
        {&Interpreter::Fgets, "f)", "Variable fichier requiqe"},
        {&Interpreter::Fgets, "f, zz)", "Variable zz inconnue"},
        {&Interpreter::Fclose, "x)", "Variable fichier attendue"},
        {&Interpreter::Fclose, "f)", "Erreur d'entrée/sortie"},
        {&Interpreter::Fclose, "PRN:)", "Erreur d'entrée/sortie"},
    };
    for (const Case& c : cases) {
        host.messages.clear();
        (interp.*c.op)(c.args);
        EXPECT_EQ(interp.RunState(), 1) << c.args;
        EXPECT_EQ(host.AllMessages(), W(c.message) + "|") << c.args;
    }
    EXPECT_FALSE(fs::exists("a"));
}

TEST_F(FilesTest, EndOfFileTestFailures) {
    EXPECT_TRUE(interp.EofCheck("f)")); // never opened
    EXPECT_EQ(host.AllMessages(), W("Erreur d'entrée/sortie|"));
    interp.Fopen("f=fopen(\"w.txt\",\"w\");");
    EXPECT_TRUE(interp.EofCheck("f)")); // open for writing
    EXPECT_EQ(interp.RunState(), 1);
    host.messages.clear();
    EXPECT_TRUE(interp.EofCheck("x)"));
    EXPECT_EQ(host.AllMessages(), "Variable fichier attendue|");
}

TEST_F(FilesTest, AccentsAreWrittenAndReadAsUtf8) {
    interp.Fopen("f=fopen(\"acc.txt\",\"w\");");
    interp.Fputs(W("\"été\", f)"));
    interp.Fclose("f)");
    EXPECT_EQ(ReadBytes("acc.txt"), "\xC3\xA9t\xC3\xA9\r\n");

    WriteBytes("mixed.txt", "\xEF\xBB\xBF\xC3\xA0 bient\xC3\xB4t\n\xE9t\xE9\n");
    interp.Fopen("f=fopen(\"mixed.txt\",\"r\");");
    // A leading byte-order mark is dropped; a line that is not UTF-8 is taken as is.
    EXPECT_EQ(ReadAll(), (std::vector<std::string>{W("à bientôt"), W("été")}));
}

TEST_F(FilesTest, PrinterJobFromOpenToClose) {
    interp.StoreValue("5", 'I', 1);
    EXPECT_THROW(interp.Fputs("\"avant\", PRN:)"), ErrorBoxFailure);
    interp.Fopen("f=fopen(PRN:,\"w\");");
    EXPECT_TRUE(host.printing);
    interp.Fputs("\"ligne\", PRN:)");
    interp.Fputs("x, prn:)");
    interp.Fclose("PRN:)");
    EXPECT_EQ(interp.RunState(), 0);
    EXPECT_FALSE(host.printing);
    EXPECT_EQ(host.printed, (std::vector<std::string>{"ligne", "5"}));
    EXPECT_EQ(host.printJobs, 1);

    interp.Fopen("f=fopen(\"PRN:\",\"w\");"); // quoted: an ordinary file name
    EXPECT_EQ(host.printJobs, 1);
    interp.Fputs("\"fichier\", f)");
    interp.Fclose("f)");
    EXPECT_EQ(ReadBytes("PRN:"), "fichier\r\n");

    host.printerWorks = false;
    interp.Fopen("g=fopen(prn:,\"w\");");
    EXPECT_EQ(interp.RunState(), 1);
    EXPECT_EQ(host.messages.back(), W("Erreur Entrée/Sortie"));
}

TEST_F(FilesTest, CloseAllClosesFilesAndThePrinter) {
    interp.Fopen("f=fopen(\"a.txt\",\"w\");");
    interp.Fputs("\"a\", f)");
    WriteBytes("b.txt", "b\n");
    interp.Fopen("g=fopen(\"b.txt\",\"r\");");
    interp.Fopen("f=fopen(PRN:,\"w\");");
    ASSERT_TRUE(host.printing);
    EXPECT_EQ(interp.CloseAll(), 0);
    EXPECT_EQ(interp.RunState(), 0);
    EXPECT_FALSE(host.printing);
    EXPECT_EQ(ReadBytes("a.txt"), "a\r\n");
    EXPECT_THROW(interp.Fputs("\"b\", f)"), ErrorBoxFailure);
    interp.EofCheck("g)");
    EXPECT_EQ(host.AllMessages(), W("Erreur d'entrée/sortie|"));
    EXPECT_EQ(interp.CloseAll(), 0); // nothing left open
}

TEST_F(FilesTest, Directories) {
    interp.Mkdir("\"data\"");
    EXPECT_TRUE(fs::is_directory("data"));
    interp.Mkdir("\"data\"");
    EXPECT_EQ(host.AllMessages(), W("Répertoire data n'a pas été créé|"));
    host.messages.clear();

    interp.Chdir("\"data\"");
    EXPECT_EQ(interp.RunState(), 0);
    interp.Fopen("f=fopen(\"x.txt\",\"w\");");
    interp.Fclose("f)");
    EXPECT_TRUE(fs::exists(guard.dir() / "data" / "x.txt"));
    interp.Chdir("\"..\"");

    interp.Rmdir("\"data\""); // not empty
    interp.Rmdir("\"data/x.txt\""); // a file is not a directory
    interp.Chdir("\"nulle part\"");
    EXPECT_EQ(host.AllMessages(), W("Répertoire data n'a pas été éffacé|"
                                    "Répertoire data/x.txt n'a pas été éffacé|"
                                    "Répertoire nulle part inexistant|"));
    EXPECT_TRUE(fs::exists("data/x.txt"));
    fs::remove("data/x.txt");
    host.messages.clear();
    interp.Rmdir("  \"data\"  ");
    EXPECT_EQ(interp.RunState(), 0);
    EXPECT_FALSE(fs::exists("data"));

    interp.Mkdir("(\"p\")"); // written with parentheses
    EXPECT_EQ(host.AllMessages(), "Variable (\"p\") n'existe pas|");
    host.messages.clear();
    interp.Mkdir("\"p\")");
    EXPECT_EQ(host.AllMessages(), "chaine sans fin|");
    EXPECT_FALSE(fs::exists("p"));
}

// Whole programs through the run loop.
TEST(FilePrograms, WriteThenReadBackWithAFeofLoop) {
    TempDirGuard guard;
    vokc::test::Run r("file f\nmain()\n{\nchar s[40]\nint x\nx = 5\n"
          "f=fopen(\"out.txt\",\"w+t\");\nfputs(\"abc\", f);\nfputs(x, f);\nfclose(f);\n"
          "f=fopen(\"out.txt\",\"r+t\");\nwhile (!feof(f))\n{\nfgets(f, s);\nputs(s);\n}\n"
          "fclose(f);\n}\n");
    r.Go();
    EXPECT_EQ(r.host.AllMessages(), "");
    EXPECT_EQ(r.host.console, "abc\n5\n");
    EXPECT_EQ(ReadBytes("out.txt"), "abc\r\n5\r\n");
}

TEST(FilePrograms, WriteFailureEndsTheRunInTheErrorBox) {
    TempDirGuard guard;
    vokc::test::Run r("file f\nmain()\n{\nf=fopen(\"a.txt\",\"a\");\nfputs(\"x\", f);\n"
                      "puts(\"jamais\")\n}\n");
    r.Go();
    EXPECT_EQ(r.host.errorBoxes, (std::vector<std::string>{W("Fichier non ouvert en écriture")}));
    EXPECT_EQ(r.host.console, "");
    EXPECT_EQ(r.interp.RunState(), 1);
    EXPECT_EQ(r.startLine, 4); // the fputs line
}

TEST(FilePrograms, ANewRunClosesWhatThePreviousOneLeftOpen) {
    TempDirGuard guard;
    vokc::test::Run r("file f\nmain()\n{\nf=fopen(\"left.txt\",\"w\");\nfputs(\"reste\", f);\n"
          "f=fopen(PRN:,\"w\");\nfputs(\"page\", PRN:);\n}\n");
    r.Go();
    EXPECT_TRUE(r.host.printing);
    // The next run reads the file the first one left open: its line must be there.
    r.text = MemoryText("file g\nmain()\n{\nchar s[20]\ng=fopen(\"left.txt\",\"r\");\n"
                        "while (!feof(g))\n{\nfgets(g, s);\nputs(s);\n}\n}\n");
    r.startLine = 0;
    r.Go();
    EXPECT_FALSE(r.host.printing);
    EXPECT_EQ(r.host.printed, (std::vector<std::string>{"page"}));
    EXPECT_EQ(r.host.console, "reste\n");
    EXPECT_EQ(r.host.AllMessages(), "");
}

} // namespace
} // namespace vokc::test
