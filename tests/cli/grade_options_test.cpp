// The command line of a grading, and the reading of an exercise folder.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>

#include "grade_cases.h"
#include "grade_options.h"

namespace vokc::cli::grade {
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

TEST_F(ExerciseTest, CasesInByteOrderWithTheirInputsAndTheDataFiles) {
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
    EXPECT_EQ(names, (std::vector<std::string>{"B", "a10", "a2", "b"}));
    EXPECT_EQ(e.cases[2].input, dir_ / "a2.in");
    EXPECT_TRUE(e.cases[0].input.empty());
    EXPECT_EQ(e.cases[2].expected, "A2\n");
    std::vector<std::string> data;
    for (const fs::path& p : e.dataFiles)
        data.push_back(p.filename().string());
    EXPECT_EQ(data, (std::vector<std::string>{".out", "lonely.in", "notes.txt"}));
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
    EXPECT_TRUE(ReadProgramFile((dir_ / "empty.c").string(), bytes));
    EXPECT_EQ(bytes, "");
    EXPECT_TRUE(ReadProgramFile((dir_ / "p.c").string(), bytes));
    EXPECT_EQ(bytes, "main()\n");
    EXPECT_FALSE(ReadProgramFile((dir_ / "absent.c").string(), bytes));
    EXPECT_FALSE(ReadProgramFile(dir_.string(), bytes));
}

} // namespace
} // namespace vokc::cli::grade
