// Confinement of a graded program's names to its working folder, checked alone and
// through the interpreter's file and directory statements.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>

#include "fake_host.h"
#include "grade_confine.h"
#include "interpreter.h"
#include "text.h"

namespace vokc::grading {
namespace {

namespace fs = std::filesystem;

// A temporary folder holding the working folder `root` and, beside it, a folder
// `outside` with a file; the current folder is `root` for the life of the fixture.
class ConfinementTest : public ::testing::Test {
  protected:
    void SetUp() override {
        previous_ = fs::current_path();
        std::string pattern = (fs::temp_directory_path() / "vokc-confine-XXXXXX").string();
        if (!mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp");
        base_ = pattern;
        root_ = base_ / "root";
        outside_ = base_ / "outside";
        fs::create_directories(root_ / "sub" / "deep");
        fs::create_directories(outside_);
        std::ofstream(outside_ / "secret.txt") << "secret";
        std::ofstream(root_ / "data.txt") << "data";
        fs::current_path(root_);
    }
    void TearDown() override {
        std::error_code ec;
        fs::current_path(previous_, ec);
        fs::remove_all(base_, ec);
    }

    fs::path previous_, base_, root_, outside_;
};

TEST_F(ConfinementTest, NamesInsideTheFolderAreAllowed) {
    PathConfinement c(root_);
    EXPECT_TRUE(c.Allows("data.txt", PathUse::Read));
    EXPECT_TRUE(c.Allows("new.txt", PathUse::Write));
    EXPECT_TRUE(c.Allows("sub/deep/../x.txt", PathUse::Write));
    EXPECT_TRUE(c.Allows("./sub", PathUse::ChangeDirectory));
    EXPECT_TRUE(c.Allows(".", PathUse::ChangeDirectory));
    EXPECT_TRUE(c.Allows("sub", PathUse::RemoveDirectory));
    EXPECT_TRUE(c.Allows("nouveau", PathUse::MakeDirectory));
    EXPECT_TRUE(c.Allows("...", PathUse::Write)); // a name, not a parent
}

TEST_F(ConfinementTest, NamesLeavingTheFolderAreRefused) {
    PathConfinement c(root_);
    for (PathUse use : {PathUse::Read, PathUse::Write, PathUse::MakeDirectory,
                        PathUse::RemoveDirectory, PathUse::ChangeDirectory}) {
        EXPECT_FALSE(c.Allows("..", use));
        EXPECT_FALSE(c.Allows("../outside/secret.txt", use));
        EXPECT_FALSE(c.Allows("sub/../../x", use));
        EXPECT_FALSE(c.Allows("sub/deep/../../../root/../x", use));
        EXPECT_FALSE(c.Allows("../root2", use)); // a sibling whose name starts alike
        EXPECT_FALSE(c.Allows("", use));
    }
}

TEST_F(ConfinementTest, AbsoluteNamesAreRefusedEvenInsideTheFolder) {
    PathConfinement c(root_);
    EXPECT_FALSE(c.Allows((root_ / "data.txt").string(), PathUse::Read));
    EXPECT_FALSE(c.Allows("/etc/passwd", PathUse::Read));
    EXPECT_FALSE(c.Allows("/tmp", PathUse::ChangeDirectory));
}

TEST_F(ConfinementTest, TheFolderItselfCannotBeRemoved) {
    PathConfinement c(root_);
    for (const char* name : {".", "./", "sub/..", "sub/deep/../..", "../root"})
        EXPECT_FALSE(c.Allows(name, PathUse::RemoveDirectory)) << name;
    fs::current_path(root_ / "sub");
    EXPECT_FALSE(c.Allows("..", PathUse::RemoveDirectory));
    EXPECT_TRUE(c.Allows("deep", PathUse::RemoveDirectory));
}

TEST_F(ConfinementTest, ParentsResolveFromTheCurrentFolder) {
    PathConfinement c(root_);
    fs::current_path(root_ / "sub" / "deep");
    EXPECT_TRUE(c.Allows("..", PathUse::ChangeDirectory));
    EXPECT_TRUE(c.Allows("../..", PathUse::ChangeDirectory));
    EXPECT_TRUE(c.Allows("../../data.txt", PathUse::Read));
    EXPECT_FALSE(c.Allows("../../..", PathUse::ChangeDirectory));
    EXPECT_FALSE(c.Allows("../../../outside/secret.txt", PathUse::Read));
}

TEST_F(ConfinementTest, SymbolicLinksAreFollowed) {
    fs::create_directory_symlink(outside_, root_ / "door");
    fs::create_symlink(outside_ / "secret.txt", root_ / "alias.txt");
    fs::create_symlink(outside_ / "not-yet.txt", root_ / "dangling.txt");
    fs::create_directory_symlink(root_ / "sub", root_ / "shortcut");
    fs::create_symlink("data.txt", root_ / "inside.txt");
    PathConfinement c(root_);
    EXPECT_FALSE(c.Allows("door", PathUse::ChangeDirectory));
    EXPECT_FALSE(c.Allows("door/secret.txt", PathUse::Read));
    EXPECT_FALSE(c.Allows("door/new.txt", PathUse::Write));
    // `..` after a link leaves the link's target, as the system does, not the link.
    EXPECT_FALSE(c.Allows("door/../outside/secret.txt", PathUse::Read));
    EXPECT_TRUE(c.Allows("door/../root/data.txt", PathUse::Read));
    EXPECT_FALSE(c.Allows("alias.txt", PathUse::Write));
    // Writing through a link that leads nowhere would create its target outside.
    EXPECT_FALSE(c.Allows("dangling.txt", PathUse::Write));
    EXPECT_TRUE(c.Allows("shortcut/deep", PathUse::ChangeDirectory));
    EXPECT_TRUE(c.Allows("inside.txt", PathUse::Read));
}

TEST_F(ConfinementTest, ALinkToTheFolderItselfCannotRemoveIt) {
    fs::create_directory_symlink(root_, root_ / "sub" / "back");
    PathConfinement c(root_);
    EXPECT_FALSE(c.Allows("sub/back", PathUse::RemoveDirectory));
    EXPECT_TRUE(c.Allows("sub/back/data.txt", PathUse::Read));
}

TEST_F(ConfinementTest, FolderBytesCountsFilesNotLinks) {
    std::ofstream(root_ / "sub" / "deep" / "big.txt") << std::string(1000, 'x');
    fs::create_symlink(outside_ / "secret.txt", root_ / "alias.txt");
    EXPECT_EQ(FolderBytes(root_), 1004u);
    EXPECT_EQ(FolderBytes(root_, root_ / "sub" / "deep" / "big.txt"), 4u);
    EXPECT_EQ(FolderBytes(root_, root_ / "absent.txt"), 1004u);
}

// A host that confines names as the grading host does.
struct ConfinedHost : vokc::test::FakeHost {
    explicit ConfinedHost(const fs::path& root) : confinement(root) {}
    bool PathAllowed(std::string_view path, PathUse use) override {
        return confinement.Allows(path, use);
    }
    PathConfinement confinement;
};

// Runs one program with the confining host and returns its messages.
std::string RunConfined(const fs::path& root, const std::string& program) {
    ConfinedHost host(root);
    Interpreter interp(host);
    interp.SetLineMarkers(false);
    vokc::test::MemoryText text(Utf8ToCp1252(program));
    interp.StartProgram("test.c");
    interp.Exec(text, 0, StepMode::Free);
    interp.CloseAllFiles();
    std::string all;
    for (const std::string& m : host.messages)
        all += Cp1252ToUtf8(m) + "|";
    for (const std::string& m : host.errorBoxes)
        all += Cp1252ToUtf8(m) + "|";
    return all;
}

TEST_F(ConfinementTest, RefusedNamesFailWithTheStatementsOwnErrors) {
    EXPECT_EQ(
        RunConfined(root_, "file f\nmain()\n{\nf=fopen(\"../outside/secret.txt\",\"r\")\n}\n"),
        "Erreur Entrée/Sortie|");
    EXPECT_EQ(RunConfined(root_, "file f\nmain()\n{\nf=fopen(\"../x.txt\",\"w\")\n}\n"),
              "Erreur Entrée/Sortie|");
    EXPECT_EQ(RunConfined(root_, "main()\n{\nmkdir \"../m\";\n}\n"),
              "Répertoire ../m n'a pas été créé|");
    EXPECT_EQ(RunConfined(root_, "main()\n{\nrmdir \"../outside\";\n}\n"),
              "Répertoire ../outside n'a pas été éffacé|");
    EXPECT_EQ(RunConfined(root_, "main()\n{\nchdir \"..\";\n}\n"), "Répertoire .. inexistant|");
    EXPECT_FALSE(fs::exists(base_ / "x.txt"));
    EXPECT_FALSE(fs::exists(base_ / "m"));
    EXPECT_TRUE(fs::exists(outside_));
    EXPECT_EQ(fs::current_path(), root_);
}

TEST_F(ConfinementTest, AProgramMovesIntoItsFoldersAndBack) {
    EXPECT_EQ(RunConfined(root_, "file f\nmain()\n{\nmkdir \"t\";\nchdir \"t\";\n"
                                 "f=fopen(\"in-t.txt\",\"w\")\nfclose(f)\nchdir \"..\";\n"
                                 "f=fopen(\"data.txt\",\"r\")\nfclose(f)\n}\n"),
              "");
    EXPECT_TRUE(fs::exists(root_ / "t" / "in-t.txt"));
    EXPECT_EQ(fs::current_path(), root_);
}

} // namespace
} // namespace vokc::grading
