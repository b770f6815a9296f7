// The command line of a grading, and the reading of an exercise folder.
#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <unistd.h>

#include "grade_cases.h"
#include "grade_options.h"
#include "program_file.h"

namespace vokc::cli::grade {

using namespace vokc::grading;
namespace {

namespace fs = std::filesystem;

bool Parse(std::vector<const char*> args, GradeOptions& options, std::string& error) {
    args.insert(args.begin(), "vokc-run");
    return ParseGradeOptions(static_cast<int>(args.size()), args.data(), options, error);
}

TEST(GradeOptions, DefaultsAndValues) {
    GradeOptions o;
    std::string error;
    ASSERT_TRUE(Parse({"--grade", "ex", "a.c", "b.c"}, o, error)) << error;
    EXPECT_EQ(o.folder, "ex");
    EXPECT_EQ(o.programs, (std::vector<std::string>{"a.c", "b.c"}));
    EXPECT_EQ(o.jobs, 0u);
    EXPECT_EQ(o.format, Format::Text);
    EXPECT_EQ(o.maxSteps, 10'000'000u);
    EXPECT_EQ(o.timeout, std::chrono::milliseconds(10'000));
    EXPECT_EQ(o.separator, '.');
    EXPECT_TRUE(o.reportFile.empty());

    GradeOptions p;
    ASSERT_TRUE(
        Parse({"a.c", "--jobs", "3", "--format", "csv", "--grade", "ex", "--report", "r.html",
               "--max-steps", "500", "--timeout", "0.25", "--decimal-separator", "\xC3\xA9", "-"},
              p, error))
        << error;
    EXPECT_EQ(p.programs, (std::vector<std::string>{"a.c", "-"}));
    EXPECT_EQ(p.jobs, 3u);
    EXPECT_EQ(p.format, Format::Csv);
    EXPECT_EQ(p.reportFile, "r.html");
    EXPECT_EQ(p.maxSteps, 500u);
    EXPECT_EQ(p.timeout, std::chrono::milliseconds(250));
    EXPECT_EQ(p.separator, '\xE9'); // the terminal's UTF-8, held in Windows-1252
}

TEST(GradeOptions, UsageErrorsSayWhatIsWrong) {
    struct Bad {
        std::vector<const char*> args;
        const char* message;
    };
    const std::vector<Bad> cases = {
        {{"--grade"}, "--grade attend un dossier"},
        {{"a.c", "--jobs", "2"}, "--grade attend un dossier"},
        {{"--grade", "ex"}, "aucun programme à noter"},
        {{"--grade", "ex", "--symbols", "a.c"}, "option inconnue : --symbols"},
        {{"--grade", "ex", "--jobs", "0", "a.c"}, "--jobs attend un nombre entier positif"},
        {{"--grade", "ex", "--jobs", "-2", "a.c"}, "--jobs attend un nombre entier positif"},
        {{"--grade", "ex", "--jobs", "2x", "a.c"}, "--jobs attend un nombre entier positif"},
        {{"--grade", "ex", "--format", "xml", "a.c"}, "--format attend text, csv ou json"},
        {{"--grade", "ex", "--timeout", "0", "a.c"},
         "--timeout attend un nombre de secondes positif"},
        {{"--grade", "ex", "--timeout", "1,5", "a.c"},
         "--timeout attend un nombre de secondes positif"},
        {{"--grade", "ex", "--timeout", "inf", "a.c"},
         "--timeout attend un nombre de secondes positif"},
        {{"--grade", "ex", "--max-steps", "99999999999999999999", "a.c"},
         "--max-steps attend un nombre entier positif"},
        {{"--grade", "ex", "--decimal-separator", "ab", "a.c"},
         "--decimal-separator attend un seul caractère"},
        {{"--grade", "ex", "a.c", "--report"}, "--report attend un nom de fichier"},
        {{"--grade", "ex", "--grade", "ex2", "a.c"}, "un seul dossier de cas"},
    };
    for (const Bad& bad : cases) {
        GradeOptions o;
        std::string error;
        EXPECT_FALSE(Parse(bad.args, o, error)) << bad.message;
        EXPECT_EQ(error, bad.message);
    }
}

TEST(GradeOptions, HelpNeedsNothingElse) {
    GradeOptions o;
    std::string error;
    EXPECT_TRUE(Parse({"--grade", "ex", "--help"}, o, error));
    EXPECT_TRUE(o.help);
    GradeOptions p;
    EXPECT_TRUE(Parse({"--grade", "--help"}, p, error));
    EXPECT_TRUE(p.help);
}

class ExerciseTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "vokc-exercise-XXXXXX").string();
        if (!mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp");
        dir_ = pattern;
    }
    void TearDown() override {
        std::error_code ec;
        fs::remove_all(dir_, ec);
    }
    void Write(const std::string& name, const std::string& bytes) {
        std::ofstream(dir_ / name, std::ios::binary) << bytes;
    }
    fs::path dir_;
};

TEST_F(ExerciseTest, CasesInNaturalOrderWithTheirInputsAndTheDataFiles) {
    Write("b.out", "B\n");
    Write("B.out", "upper\n");
    Write("a10.out", "A10\n");
    Write("a2.out", "A2\n");
    Write("a2.in", "2\n");
    Write("lonely.in", "data too\n");
    Write("notes.txt", "n\n");
    Write(".out", "a hidden name, no case\n");
    fs::create_directory(dir_ / "folder.out");
    Exercise e;
    std::string error;
    ASSERT_TRUE(LoadExercise(dir_.string(), e, error)) << error;
    std::vector<std::string> names;
    for (const Case& c : e.cases)
        names.push_back(c.name);
    EXPECT_EQ(names, (std::vector<std::string>{"B", "a2", "a10", "b"}));
    EXPECT_EQ(e.cases[1].input, dir_ / "a2.in");
    EXPECT_TRUE(e.cases[0].input.empty());
    EXPECT_EQ(e.cases[1].expected, "A2\n");
    std::vector<std::string> data;
    for (const fs::path& p : e.dataFiles)
        data.push_back(p.filename().string());
    // An input without its expected output is neither a case nor a data file.
    EXPECT_EQ(data, (std::vector<std::string>{".out", "notes.txt"}));
    ASSERT_EQ(e.inputsWithoutOutput.size(), 1u);
    EXPECT_EQ(e.inputsWithoutOutput[0].filename(), "lonely.in");
}

TEST(NaturalOrder, DigitsCompareByValue) {
    std::vector<std::string> names{"10", "2", "100", "1",     "cas10", "cas9", "cas09b",
                                   "b",  "a", "01",  "x1y10", "x1y2",  "x"};
    std::sort(names.begin(), names.end(), NaturalLess);
    EXPECT_EQ(names, (std::vector<std::string>{"01", "1", "2", "10", "100", "a", "b", "cas9",
                                               "cas09b", "cas10", "x", "x1y2", "x1y10"}));
    EXPECT_FALSE(NaturalLess("1", "1"));
    EXPECT_TRUE(NaturalLess("99999999999999999999999", "100000000000000000000000"));
}

TEST_F(ExerciseTest, AnUnreadableInputOrOutputIsAUsageError) {
    if (geteuid() == 0) GTEST_SKIP() << "permissions do not hold for root";
    Write("1.out", "1\n");
    Write("1.in", "x\n");
    fs::permissions(dir_ / "1.in", fs::perms::none);
    Exercise e;
    std::string error;
    EXPECT_FALSE(LoadExercise(dir_.string(), e, error));
    EXPECT_EQ(error, (dir_ / "1.in").string() + " : permission refusée");
    fs::permissions(dir_ / "1.in", fs::perms::owner_read);
    fs::permissions(dir_ / "1.out", fs::perms::none);
    Exercise f;
    EXPECT_FALSE(LoadExercise(dir_.string(), f, error));
    EXPECT_EQ(error, (dir_ / "1.out").string() + " : permission refusée");
}

TEST_F(ExerciseTest, AFolderWithoutCasesOrNoFolderIsAUsageError) {
    Write("notes.txt", "n\n");
    Exercise e;
    std::string error;
    EXPECT_FALSE(LoadExercise(dir_.string(), e, error));
    EXPECT_EQ(error, "aucun cas (fichier NOM.out) dans " + dir_.string());
    Exercise f;
    EXPECT_FALSE(LoadExercise((dir_ / "absent").string(), f, error));
    EXPECT_EQ(error, "dossier de cas introuvable : " + (dir_ / "absent").string());
}

TEST_F(ExerciseTest, ProgramFiles) {
    Write("empty.c", "");
    Write("p.c", "main()\n");
    std::string bytes = "x";
    EXPECT_EQ(ReadProgramFile((dir_ / "empty.c").string(), bytes), 0);
    EXPECT_EQ(bytes, "");
    EXPECT_EQ(ReadProgramFile((dir_ / "p.c").string(), bytes), 0);
    EXPECT_EQ(bytes, "main()\n");
    EXPECT_EQ(ReadProgramFile((dir_ / "absent.c").string(), bytes), ENOENT);
    EXPECT_EQ(ReadProgramFile(dir_.string(), bytes), EISDIR);
    // A file beyond the limit is refused before it is read (a sparse file: no disk used).
    {
        std::ofstream big(dir_ / "big.c", std::ios::binary);
        big.seekp(static_cast<std::streamoff>(kProgramFileMax));
        big << 'x';
    }
    EXPECT_EQ(ReadProgramFile((dir_ / "big.c").string(), bytes), EFBIG);
    EXPECT_TRUE(bytes.empty());
}

} // namespace
} // namespace vokc::cli::grade
