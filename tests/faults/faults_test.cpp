// vokc-run against programs and surroundings that go wrong: a disk that is full, a
// directory that cannot be written, files and directories that vanish while in use,
// directories that cannot be made, input that ends early, program files that are not
// text, and nesting 200 levels deep. Every run must end with a French message or a clean
// stop, never with a crash or a sanitizer report, and leave the program file as it was.
// Big files are made here, at test time.
#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <grp.h>
#include <signal.h>
#include <stdexcept>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

namespace fs = std::filesystem;

constexpr int kSkipped = 77; // exit status of a child that cannot take the test's place
constexpr unsigned kWatchdogSeconds = 120;
constexpr fs::perms kReadable = fs::perms::owner_all | fs::perms::group_read |
                                fs::perms::group_exec | fs::perms::others_read |
                                fs::perms::others_exec;

std::string ReadBytes(const fs::path& p) {
    std::error_code ec;
    const auto size = fs::file_size(p, ec);
    if (ec) return {};
    std::string bytes(size, '\0');
    std::ifstream in(p, std::ios::binary);
    in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    bytes.resize(static_cast<std::size_t>(in.gcount()));
    return bytes;
}

void WriteBytes(const fs::path& p, std::string_view bytes) {
    std::ofstream out(p, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// A temporary directory with two parts: `work`, the current directory of vokc-run, which
// holds the program, and `io`, where its output is caught. Readable by everyone, so that
// a run without privileges can read the program there.
class Sandbox {
  public:
    Sandbox() {
        std::string pattern = (fs::temp_directory_path() / "vokc-faults-XXXXXX").string();
        if (!mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp");
        root_ = pattern;
        fs::create_directory(work());
        fs::create_directory(io());
        for (const fs::path& p : {root_, work(), io()})
            fs::permissions(p, kReadable, fs::perm_options::replace);
    }
    ~Sandbox() {
        std::error_code ec;
        // Directories made read-only by a test must be writable again to be removed.
        for (auto it = fs::recursive_directory_iterator(root_, ec);
             !ec && it != fs::recursive_directory_iterator(); it.increment(ec))
            if (it->is_directory(ec))
                fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ec);
        fs::remove_all(root_, ec);
    }
    Sandbox(const Sandbox&) = delete;
    Sandbox& operator=(const Sandbox&) = delete;

    fs::path work() const { return root_ / "work"; }
    fs::path io() const { return root_ / "io"; }
    // A copy of vokc-run that any user can start (the build tree may be private).
    fs::path SharedRunner() const {
        const fs::path copy = root_ / "vokc-run";
        if (!fs::exists(copy)) {
            fs::copy_file(VOKC_RUN, copy);
            fs::permissions(copy, kReadable);
        }
        return copy;
    }

  private:
    fs::path root_;
};

struct Outcome {
    int status = -1; // exit status, or -1 when a signal ended the process
    int signal = 0;
    std::string out, err; // UTF-8
};

struct RunOptions {
    std::vector<std::string> args;
    bool withoutPrivileges = false;   // as the user nobody when run as root
    const char* inputFile = nullptr;  // standard input from this file instead of a text
    const char* outputFile = nullptr; // standard output to this file instead of io/out
    int outputFd = -1;                // standard output to this descriptor (kept open)
    bool ignoreSigpipe = false;       // started with SIGPIPE ignored
    unsigned watchdog = kWatchdogSeconds;
};

// The environment of the tests, without the user's locale.
std::vector<std::string> ChildEnvironment() {
    std::vector<std::string> env;
    for (char** e = environ; *e; ++e) {
        std::string_view v(*e);
        if (v.substr(0, 3) == "LC_" || v.substr(0, 5) == "LANG=" || v.substr(0, 9) == "LANGUAGE=")
            continue;
        env.emplace_back(v);
    }
    env.emplace_back("LC_ALL=C");
    return env;
}

// Starts vokc-run on `program` in the work directory with the given standard streams.
pid_t Start(const Sandbox& box, const std::string& program, const RunOptions& options, int in,
            int out, int err) {
    const bool drop = options.withoutPrivileges && geteuid() == 0;
    const std::string runner = drop ? box.SharedRunner().string() : std::string(VOKC_RUN);
    std::vector<std::string> argv{runner, "--decimal-separator", ","};
    argv.insert(argv.end(), options.args.begin(), options.args.end());
    argv.push_back(program);
    std::vector<std::string> env = ChildEnvironment();
    std::vector<char*> cargv, cenv;
    for (auto& a : argv)
        cargv.push_back(a.data());
    cargv.push_back(nullptr);
    for (auto& e : env)
        cenv.push_back(e.data());
    cenv.push_back(nullptr);
    const std::string dir = box.work().string();

    pid_t pid = fork();
    if (pid != 0) return pid;
    // Child: only async-signal-safe calls from here on.
    if (chdir(dir.c_str()) != 0) _exit(126);
    dup2(in, 0);
    dup2(out, 1);
    dup2(err, 2);
    if (drop && (setgroups(0, nullptr) != 0 || setgid(65534) != 0 || setuid(65534) != 0))
        _exit(kSkipped);
    if (options.ignoreSigpipe) {
        struct sigaction ignore {};
        ignore.sa_handler = SIG_IGN;
        sigaction(SIGPIPE, &ignore, nullptr); // kept across exec
    }
    alarm(options.watchdog); // survives exec: a run that hangs is ended
    execve(cargv[0], cargv.data(), cenv.data());
    _exit(drop ? kSkipped : 127); // a user without privileges may not reach the copy
}

Outcome Wait(pid_t pid, const Sandbox& box) {
    Outcome o;
    int ws = 0;
    while (waitpid(pid, &ws, 0) < 0 && errno == EINTR) {
    }
    if (WIFEXITED(ws)) o.status = WEXITSTATUS(ws);
    if (WIFSIGNALED(ws)) o.signal = WTERMSIG(ws);
    o.err = ReadBytes(box.io() / "err");
    return o;
}

// Runs a program already in the work directory, with `input` on standard input.
Outcome RunFile(const Sandbox& box, const std::string& program, const std::string& input = "",
                const RunOptions& options = {}) {
    WriteBytes(box.io() / "in", input);
    const fs::path inputPath = options.inputFile ? fs::path(options.inputFile) : box.io() / "in";
    int in = open(inputPath.c_str(), O_RDONLY | O_CLOEXEC);
    const fs::path outputPath =
        options.outputFile ? fs::path(options.outputFile) : box.io() / "out";
    int out = options.outputFd >= 0
                  ? options.outputFd
                  : open(outputPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    int err = open((box.io() / "err").c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    pid_t pid = Start(box, program, options, in, out, err);
    close(in);
    if (options.outputFd < 0) close(out);
    close(err);
    Outcome o = Wait(pid, box);
    o.out = ReadBytes(box.io() / "out");
    return o;
}

// Writes `text` as prog.c and runs it; the program file must come out unchanged.
Outcome RunProgram(const Sandbox& box, const std::string& text, const std::string& input = "",
                   const RunOptions& options = {}) {
    const fs::path file = box.work() / "prog.c";
    WriteBytes(file, text);
    fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read |
                              fs::perms::others_read);
    Outcome o = RunFile(box, "prog.c", input, options);
    EXPECT_EQ(ReadBytes(file), text) << "the program file changed";
    return o;
}

// A program run that the test talks to: it waits for what the program prints before it
// acts and answers.
class Session {
  public:
    Session(const Sandbox& box, const std::string& text) : box_(box) {
        WriteBytes(box.work() / "prog.c", text);
        int toChild[2], fromChild[2];
        if (pipe2(toChild, O_CLOEXEC) != 0 || pipe2(fromChild, O_CLOEXEC) != 0)
            throw std::runtime_error("pipe");
        int err = open((box.io() / "err").c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
        pid_ = Start(box, "prog.c", {}, toChild[0], fromChild[1], err);
        close(toChild[0]);
        close(fromChild[1]);
        close(err);
        input_ = toChild[1];
        output_ = fromChild[0];
    }
    ~Session() {
        if (input_ >= 0) close(input_);
        if (output_ >= 0) close(output_);
    }
    // Reads the program's output until it holds `text` (false at its end without it).
    bool WaitFor(const std::string& text) {
        char buf[4096];
        while (out_.find(text) == std::string::npos) {
            ssize_t n = read(output_, buf, sizeof buf);
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) return false;
            out_.append(buf, static_cast<std::size_t>(n));
        }
        return true;
    }
    void Answer(const std::string& line) {
        std::string l = line + "\n";
        EXPECT_EQ(write(input_, l.data(), l.size()), static_cast<ssize_t>(l.size()));
    }
    Outcome Finish() {
        close(input_);
        input_ = -1;
        char buf[4096];
        for (ssize_t n; (n = read(output_, buf, sizeof buf)) != 0;) {
            if (n < 0 && errno == EINTR) continue;
            if (n < 0) break;
            out_.append(buf, static_cast<std::size_t>(n));
        }
        Outcome o = Wait(pid_, box_);
        o.out = out_;
        return o;
    }

  private:
    const Sandbox& box_;
    pid_t pid_ = -1;
    int input_ = -1, output_ = -1;
    std::string out_;
};

bool IsValidUtf8(std::string_view s) {
    for (std::size_t i = 0; i < s.size();) {
        unsigned char c = static_cast<unsigned char>(s[i]);
        std::size_t n = c < 0x80             ? 1
                        : (c & 0xE0) == 0xC0 ? 2
                        : (c & 0xF0) == 0xE0 ? 3
                        : (c & 0xF8) == 0xF0 ? 4
                                             : 0;
        if (n == 0 || i + n > s.size()) return false;
        for (std::size_t k = 1; k < n; ++k)
            if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) return false;
        i += n;
    }
    return true;
}

// A clean end: a normal exit with status 0 or 1, readable output, no sanitizer report,
// and a status 1 explained by a message.
void ExpectCleanEnd(const Outcome& o, const std::string& what) {
    EXPECT_EQ(o.signal, 0) << what << ": ended by signal " << o.signal << "\n" << o.err;
    EXPECT_TRUE(o.status == 0 || o.status == 1) << what << ": status " << o.status << "\n" << o.err;
    EXPECT_EQ(o.err.find("Sanitizer"), std::string::npos) << what << "\n" << o.err;
    EXPECT_EQ(o.err.find("runtime error"), std::string::npos) << what << "\n" << o.err;
    EXPECT_TRUE(IsValidUtf8(o.out)) << what;
    EXPECT_TRUE(IsValidUtf8(o.err)) << what;
    if (o.status == 1) {
        EXPECT_FALSE(o.err.empty()) << what << ": status 1 without a message";
    }
}

// The program of one statement after main(), with a file variable and a string.
std::string OneStatement(const std::string& statement) {
    return "file f\nchar s[20]\nmain()\n{\n" + statement + "\nputs(\"fin\")\n}\n";
}

// ---- Files and directories ----

TEST(Faults, WritingToAFullDisk) {
    if (!fs::exists("/dev/full")) GTEST_SKIP() << "no /dev/full";
    Sandbox box;
    struct Case {
        const char* what;
        std::string text;
        const char* err;
    };
    const std::string open = "file f\nchar s[2]\nint i\nmain()\n{\nf=fopen(\"/dev/full\",\"w\");\n";
    const Case cases[] = {
        {"a short line fails when the file is closed",
         open + "fputs(\"court\", f);\nfclose(f);\nputs(\"fin\")\n}\n",
         "prog.c:8: Erreur d'entrée/sortie\nprog.c:8: exécution arrêtée\n"},
        {"a long line fails when it is written",
         open + "s = \"0123456789\"\nfor (i=1; i<=10; i++)\ns = s + s\nfputs(s, f);\n}\n",
         "prog.c:10: Erreur d'écriture\nprog.c:10: exécution arrêtée\n"},
        {"a file left open fails when vokc-run closes it",
         open + "fputs(\"court\", f);\nputs(\"fin\")\n}\n",
         "prog.c: erreur d'entrée/sortie à la fermeture des fichiers\n"},
    };
    for (const Case& c : cases) {
        Outcome o = RunProgram(box, c.text);
        ExpectCleanEnd(o, c.what);
        EXPECT_EQ(o.status, 1) << c.what;
        EXPECT_EQ(o.err, c.err) << c.what;
    }
}

TEST(Faults, ReadOnlyDirectory) {
    Sandbox box;
    fs::create_directories(box.work() / "lecture" / "vide");
    WriteBytes(box.work() / "lecture" / "garde.txt", "garde\n");
    fs::permissions(box.work() / "lecture", fs::perms::owner_read | fs::perms::owner_exec |
                                                fs::perms::group_read | fs::perms::group_exec |
                                                fs::perms::others_read | fs::perms::others_exec);
    const std::pair<const char*, const char*> cases[] = {
        {"f=fopen(\"lecture/a.txt\",\"w\");", "Erreur Entrée/Sortie"},
        {"f=fopen(\"lecture/garde.txt\",\"w\");", "Erreur Entrée/Sortie"},
        {"mkdir \"lecture/sous\";", "Répertoire lecture/sous n'a pas été créé"},
        {"rmdir \"lecture/vide\";", "Répertoire lecture/vide n'a pas été éffacé"},
    };
    RunOptions asUser;
    asUser.withoutPrivileges = true; // root writes into read-only directories
    for (const auto& [statement, message] : cases) {
        Outcome o = RunProgram(box, OneStatement(statement), "", asUser);
        if (o.status == kSkipped) GTEST_SKIP() << "cannot run without privileges here";
        ExpectCleanEnd(o, statement);
        EXPECT_EQ(o.err, std::string("prog.c:5: ") + message + "\nprog.c:5: exécution arrêtée\n")
            << statement;
    }
    // The directory and what it holds are as they were.
    EXPECT_EQ(ReadBytes(box.work() / "lecture" / "garde.txt"), "garde\n");
    EXPECT_TRUE(fs::is_directory(box.work() / "lecture" / "vide"));
    EXPECT_FALSE(fs::exists(box.work() / "lecture" / "a.txt"));
    EXPECT_FALSE(fs::exists(box.work() / "lecture" / "sous"));
}

TEST(Faults, DirectoriesThatCannotBeMade) {
    Sandbox box;
    fs::create_directory(box.work() / "existe");
    WriteBytes(box.work() / "fichier.txt", "x");
    // The name is given through a variable: a statement's own text is cut at 255
    // characters, and a longer name is wanted here.
    const std::string cases[] = {"absent/sous",      "fichier.txt",         "existe",
                                 "fichier.txt/sous", std::string(300, 'n'), ""};
    for (const std::string& name : cases) {
        Outcome o = RunProgram(box, OneStatement("s = \"" + name + "\"\nmkdir s;"));
        ExpectCleanEnd(o, name);
        EXPECT_EQ(o.err, "prog.c:6: Répertoire " + name +
                             " n'a pas été créé\nprog.c:6: exécution arrêtée\n");
    }
    EXPECT_FALSE(fs::exists(box.work() / "absent"));
    EXPECT_EQ(ReadBytes(box.work() / "fichier.txt"), "x");
}

TEST(Faults, FilesAndDirectoriesRemovedWhileInUse) {
    {
        Sandbox box;
        Session s(box, "file f\nchar r[20]\nmain()\n{\nf=fopen(\"data.txt\",\"w\");\n"
                       "fputs(\"un\", f);\nprintf(\"pret\\n\")\ngets(r)\nfputs(\"deux\", f);\n"
                       "fclose(f);\nputs(\"fini\")\n}\n");
        ASSERT_TRUE(s.WaitFor("pret\n"));
        ASSERT_TRUE(fs::remove(box.work() / "data.txt"));
        s.Answer("ok");
        Outcome o = s.Finish();
        ExpectCleanEnd(o, "writing");
        EXPECT_EQ(o.status, 0);
        EXPECT_EQ(o.out, "pret\nok\nfini\n");
        EXPECT_EQ(ReadBytes(box.work() / "prog.c").substr(0, 6), "file f");
    }
    {
        Sandbox box;
        WriteBytes(box.work() / "data.txt", "l1\nl2\n");
        Session s(box, "file f\nchar r[20]\nmain()\n{\nf=fopen(\"data.txt\",\"r\");\n"
                       "fgets(f, r);\nputs(r)\ngets(r)\nfgets(f, r);\nputs(r)\n"
                       "fclose(f);\n}\n");
        ASSERT_TRUE(s.WaitFor("l1\n"));
        ASSERT_TRUE(fs::remove(box.work() / "data.txt"));
        s.Answer("ok");
        Outcome o = s.Finish();
        ExpectCleanEnd(o, "reading");
        EXPECT_EQ(o.status, 0);
        EXPECT_EQ(o.out, "l1\nok\nl2\n");
    }
    {
        Sandbox box;
        Session s(box,
                  "file f\nchar r[20]\nmain()\n{\nmkdir \"d\";\nchdir \"d\";\n"
                  "printf(\"pret\\n\")\ngets(r)\nf=fopen(\"x.txt\",\"w\");\nputs(\"non\")\n}\n");
        ASSERT_TRUE(s.WaitFor("pret\n"));
        ASSERT_TRUE(fs::remove(box.work() / "d"));
        s.Answer("ok");
        Outcome o = s.Finish();
        ExpectCleanEnd(o, "current directory");
        EXPECT_EQ(o.out, "pret\nok\n");
        EXPECT_EQ(o.err, "prog.c:9: Erreur Entrée/Sortie\nprog.c:9: exécution arrêtée\n");
    }
}

// ---- Input ----

TEST(Faults, InputThatEndsEarly) {
    Sandbox box;
    struct Case {
        const char* statement;
        const char* input;
        const char* err;
    };
    // A read at the end gets an empty answer, which a number or a char refuses (a char
    // silently); the next read ends the run.
    const Case cases[] = {
        {"scanf(\"%d\", &i)", "", "prog.c:6: Erreur de conversion\nprog.c:6: exécution arrêtée\n"},
        {"scanf(\"%f\", &x)", "", "prog.c:6: Erreur de conversion\nprog.c:6: exécution arrêtée\n"},
        {"scanf(\"%c\", &c)", "", "prog.c:6: exécution arrêtée\n"},
        {"gets(s)\ngets(s)", "",
         "prog.c:7: entrée standard épuisée\nprog.c:7: exécution arrêtée\n"},
        {"gets(s)\ngets(s)\ngets(s)", "un",
         "prog.c:8: entrée standard épuisée\nprog.c:8: exécution arrêtée\n"},
    };
    for (const Case& c : cases) {
        Outcome o = RunProgram(box,
                               std::string("int i\nfloat x\nchar c, s[20]\nmain()\n{\n") +
                                   c.statement + "\nputs(\"fin\")\n}\n",
                               c.input);
        ExpectCleanEnd(o, c.statement);
        EXPECT_EQ(o.status, 1) << c.statement;
        EXPECT_EQ(o.err, c.err) << c.statement;
    }
}

// Lines without end (a device that never gives a line end), as an answer and as a line of
// a file: the read stops at what a text could hold and is refused, instead of filling
// memory or running on.
TEST(Faults, EndlessLines) {
    if (!fs::exists("/dev/zero")) GTEST_SKIP() << "no /dev/zero";
    Sandbox box;
    const std::string tooLong = "Chaîne trop longue (1000000 caractères maxi)\n";
    RunOptions zeros;
    zeros.inputFile = "/dev/zero";
    zeros.watchdog = 30;
    Outcome o = RunProgram(box, "char s[2]\nmain()\n{\ngets(s)\nputs(\"non\")\n}\n", "", zeros);
    ExpectCleanEnd(o, "answer");
    EXPECT_EQ(o.err, "prog.c:4: " + tooLong + "prog.c:4: exécution arrêtée\n");
    EXPECT_EQ(o.out.find("non"), std::string::npos);
    RunOptions limited;
    limited.watchdog = 30;
    o = RunProgram(box,
                   "file f\nchar s[2]\nmain()\n{\nf=fopen(\"/dev/zero\",\"r\");\nfgets(f, s);\n"
                   "puts(\"non\")\n}\n",
                   "", limited);
    ExpectCleanEnd(o, "line of a file");
    EXPECT_EQ(o.err, "prog.c:6: " + tooLong + "prog.c:6: exécution arrêtée\n");
    EXPECT_EQ(o.out, "");
}

// ---- Program files that are not text ----

template <std::size_t N> std::string Bytes(const char (&literal)[N]) {
    return std::string(literal, N - 1);
}

// Bytes from a fixed generator: the same file on every run.
std::string PseudoRandomBytes(std::size_t n, std::uint32_t seed) {
    std::string s(n, '\0');
    for (char& c : s) {
        seed = seed * 1664525u + 1013904223u;
        c = static_cast<char>(seed >> 24);
    }
    return s;
}

TEST(Faults, ProgramFilesThatAreNotText) {
    Sandbox box;
    struct Case {
        const char* what;
        std::string text;
        int status;
        std::string out, err;
    };
    const Case cases[] = {
        {"NUL bytes", Bytes("main()\0\n{\n\0puts(\"a\0b\")\n}\n"), 0, Bytes("a\0b\n"), ""},
        {"a byte that is no UTF-8: Windows-1252", "main()\n{\nputs(\"\xFF\xE9t\xE9\")\n}\n", 0,
         "ÿété\n", ""},
        {"UTF-16", Bytes("\xFF\xFEm\0a\0i\0n\0(\0)\0\n\0{\0\n\0}\0\n\0"), 1, "",
         "prog.c:1: MAIN() non trouvé\nprog.c:1: exécution arrêtée\n"},
        {"empty", "", 1, "", "prog.c:1: MAIN() non trouvé\nprog.c:1: exécution arrêtée\n"},
    };
    for (const Case& c : cases) {
        Outcome o = RunProgram(box, c.text);
        ExpectCleanEnd(o, c.what);
        EXPECT_EQ(o.status, c.status) << c.what;
        EXPECT_EQ(o.out, c.out) << c.what;
        EXPECT_EQ(o.err, c.err) << c.what;
    }
    // Binary files, with and without a main() line among them.
    for (std::uint32_t seed = 1; seed <= 4; ++seed) {
        std::string bytes = PseudoRandomBytes(64 * 1024, seed);
        if (seed % 2 == 0) bytes.insert(bytes.size() / 2, "\nmain()\n{\n");
        Outcome o = RunProgram(box, bytes);
        ExpectCleanEnd(o, "binary " + std::to_string(seed));
    }
}

// A program file that cannot be read: nothing runs, status 2, and the reason in French.
TEST(Faults, ProgramFilesThatCannotBeRead) {
    Sandbox box;
    fs::create_directory(box.work() / "dossier.c");
    // Above the largest program file (sparse: nothing is written).
    { std::ofstream big(box.work() / "gros.c", std::ios::binary); }
    fs::resize_file(box.work() / "gros.c", (64u << 20) + 1);
    WriteBytes(box.work() / "secret.c", "main()\n{\nputs(\"lu\")\n}\n");
    fs::permissions(box.work() / "secret.c", fs::perms::none, fs::perm_options::replace);
    struct Case {
        const char* file;
        const char* err;
        bool withoutPrivileges;
    };
    const Case cases[] = {
        {"absent.c", "vokc-run: absent.c : fichier introuvable\n", false},
        {"absent/prog.c", "vokc-run: absent/prog.c : fichier introuvable\n", false},
        {"dossier.c", "vokc-run: dossier.c : c'est un dossier\n", false},
        {"gros.c", "vokc-run: gros.c : fichier trop volumineux\n", false},
        {"secret.c", "vokc-run: secret.c : permission refusée\n", true},
    };
    for (const Case& c : cases) {
        RunOptions options;
        options.withoutPrivileges = c.withoutPrivileges;
        Outcome o = RunFile(box, c.file, "", options);
        if (o.status == kSkipped) continue; // no user without privileges to run as
        EXPECT_EQ(o.status, 2) << c.file;
        EXPECT_EQ(o.err, c.err) << c.file;
        EXPECT_EQ(o.out, "") << c.file;
    }
}

// ---- Standard output ----

// Output that cannot be written is an error of the run (status 1 and the reason), found
// at once when the program goes on printing; a reader that went away ends the run
// quietly, by SIGPIPE, whether SIGPIPE was ignored or not.
TEST(Faults, StandardOutputThatCannotBeWritten) {
    if (!fs::exists("/dev/full")) GTEST_SKIP() << "no /dev/full";
    Sandbox box;
    const char* full = "vokc-run: erreur d'écriture sur la sortie standard : disque plein\n";
    const std::string endless = "main()\n{\nboucle:\nputs(\"encore\")\ngoto boucle\n}\n";
    struct Case {
        const char* what;
        std::string text;
        std::vector<std::string> args;
    };
    const Case cases[] = {
        {"a short output", "main()\n{\nputs(\"bonjour\")\n}\n", {}},
        {"an endless output", endless, {}},
        {"the symbol table", "int x\nmain()\n{\n}\n", {"--symbols"}},
        {"the version", "main()\n{\n}\n", {"--version"}},
    };
    for (const Case& c : cases) {
        RunOptions options;
        options.outputFile = "/dev/full";
        options.args = c.args;
        options.watchdog = 30;
        Outcome o = RunProgram(box, c.text, "", options);
        ExpectCleanEnd(o, c.what);
        EXPECT_EQ(o.status, 1) << c.what;
        EXPECT_EQ(o.err, full) << c.what;
    }
    RunOptions silent;
    silent.outputFile = "/dev/full";
    EXPECT_EQ(RunProgram(box, "main()\n{\n}\n", "", silent).status, 0) << "no output, nothing lost";

    for (bool ignore : {false, true}) {
        int ends[2];
        ASSERT_EQ(pipe2(ends, O_CLOEXEC), 0);
        close(ends[0]); // nobody reads
        RunOptions options;
        options.outputFd = ends[1];
        options.ignoreSigpipe = ignore;
        options.watchdog = 30;
        Outcome o = RunProgram(box, endless, "", options);
        close(ends[1]);
        EXPECT_EQ(o.signal, SIGPIPE) << "SIGPIPE ignored: " << ignore;
        EXPECT_EQ(o.err, "") << "SIGPIPE ignored: " << ignore;
    }
}

TEST(Faults, HugeProgramFileAndHugeLines) {
    Sandbox box;
    // 50 MB: comment lines before a small program.
    const std::string comment = "// " + std::string(96, 'c') + "\n";
    std::string big;
    big.reserve(50u << 20);
    while (big.size() < (50u << 20))
        big += comment;
    big += "main()\n{\nputs(\"fin\")\n}\n";
    Outcome o = RunProgram(box, big);
    ExpectCleanEnd(o, "50 MB of lines");
    EXPECT_EQ(o.status, 0);
    EXPECT_EQ(o.out, "fin\n");

    // 50 MB of binary bytes without a line end.
    std::string block = PseudoRandomBytes(64 * 1024, 7);
    std::replace(block.begin(), block.end(), '\n', ' ');
    std::replace(block.begin(), block.end(), '\r', ' ');
    std::string line;
    line.reserve(50u << 20);
    while (line.size() < (50u << 20))
        line += block;
    o = RunProgram(box, line);
    ExpectCleanEnd(o, "50 MB in one line");
    EXPECT_EQ(o.status, 1);

    // Lines of 1 MB: a comment, then a literal too long for any text; its statement is
    // refused.
    const std::string mb(1u << 20, 'x');
    o = RunProgram(box, "char s[2]\nmain()\n{\n// " + mb + "\nputs(\"avant\")\ns = \"" + mb +
                            "\"\nputs(\"apres\")\n}\n");
    ExpectCleanEnd(o, "1 MB lines");
    EXPECT_EQ(o.out, "avant\n");
    EXPECT_EQ(o.err, "prog.c:6: Chaîne trop longue (1000000 caractères maxi)\n"
                     "prog.c:6: exécution arrêtée\n");
}

// ---- Nesting 200 levels deep ----

struct Nest {
    std::string program;
    int innerLine = 0; // 1-based line of the innermost statement
};

// `levels` times `open` (each followed by a "{" line), `inner`, then the closing lines.
Nest Nested(const std::string& declarations, const std::string& open, const std::string& close,
            const std::string& inner, int levels) {
    Nest n;
    n.program = declarations + "main()\n{\n";
    int line = 2 + static_cast<int>(std::count(declarations.begin(), declarations.end(), '\n'));
    for (int k = 0; k < levels; ++k) {
        n.program += open + "\n{\n";
        line += 2;
    }
    n.program += inner + "\n";
    n.innerLine = line + 1;
    for (int k = 0; k < levels; ++k)
        n.program += close + "\n";
    n.program += "}\n";
    return n;
}

TEST(Faults, NestingTwoHundredLevels) {
    Sandbox box;
    constexpr int kLevels = 200;
    const std::string decl = "int i\n";
    // Blocks that keep nothing on the stacks go all the way down, or are passed over whole.
    for (const auto& [open, out] :
         {std::pair{"if (i == 0)", "fond\n"}, std::pair{"if (i == 1)", ""}}) {
        Nest n = Nested(decl, open, "};", "puts(\"fond\")", kLevels);
        Outcome o = RunProgram(box, n.program);
        ExpectCleanEnd(o, open);
        EXPECT_EQ(o.status, 0) << open << "\n" << o.err;
        EXPECT_EQ(o.out, out) << open;
    }
    {
        Nest n = Nested(decl, "", "}", "puts(\"fond\")", kLevels);
        Outcome o = RunProgram(box, n.program);
        ExpectCleanEnd(o, "braces");
        EXPECT_EQ(o.out, "fond\n");
    }
    // Loops stop on the stack that fills first: a for keeps four entries of the control
    // stack (100), a while one and a block frame (30).
    struct Loop {
        const char* open;
        int deepest; // levels entered before the stack is full
    };
    for (const Loop& loop : {Loop{"for (i=1; i<=1; i++)", 25}, Loop{"while (i < 1)", 30}}) {
        Nest n = Nested(decl, loop.open, "}", "puts(\"fond\")", kLevels);
        Outcome o = RunProgram(box, n.program);
        ExpectCleanEnd(o, loop.open);
        const int failing = 3 + 2 * loop.deepest + 1; // the header of the next level
        EXPECT_EQ(o.err, "prog.c:" + std::to_string(failing) + ": Pile saturée\nprog.c:" +
                             std::to_string(failing) + ": exécution arrêtée\n")
            << loop.open;
        EXPECT_EQ(o.out, "") << loop.open;
    }
    // 200 procedures (as many names as the symbol table holds), each calling the next:
    // the block stack holds 30 calls.
    {
        std::string program;
        for (int k = kLevels; k >= 1; --k) {
            program +=
                "void p" + std::to_string(k) + "()\n{\nputs(\"p" + std::to_string(k) + "\")\n";
            if (k < kLevels)
                program += 'p' + std::to_string(k + 1) + "()\n";
            else
                program += "puts(\"fond\")\n";
            program += "}\n";
        }
        program += "main()\n{\np1()\nputs(\"fin\")\n}\n";
        Outcome o = RunProgram(box, program);
        ExpectCleanEnd(o, "calls");
        // The 31st call, made by p30, finds the block stack full. Procedures are written
        // from p200 down, five lines each, the call on the fourth.
        const int failing = 5 * (kLevels - 30) + 4;
        EXPECT_EQ(o.err, "prog.c:" + std::to_string(failing) + ": Pile saturée\nprog.c:" +
                             std::to_string(failing) + ": exécution arrêtée\n");
        std::string visited;
        for (int k = 1; k <= 30; ++k)
            visited += 'p' + std::to_string(k) + '\n';
        EXPECT_EQ(o.out, visited);
    }
    // A procedure that calls itself.
    {
        Outcome o = RunProgram(box, "int n\nvoid r()\n{\nn++\nr()\n}\nmain()\n{\nr()\n}\n", "",
                               RunOptions{{"--examine", "n"}, false});
        ExpectCleanEnd(o, "recursion");
        EXPECT_EQ(o.err, "prog.c:5: Pile saturée\nprog.c:5: exécution arrêtée\n");
        EXPECT_EQ(o.out, "30\n");
    }
}

} // namespace
