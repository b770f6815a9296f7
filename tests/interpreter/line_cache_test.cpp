// The line cache changes nothing a run shows: every program the project holds and
// random programs, through sessions of runs, pauses, breakpoints and edits, give the
// same transcript with the cache and without it. And an edit made during a pause is
// run as edited at the next pass.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "engine_run.h"
#include "line_cache_differential.h"
#include "temp_dir.h"

namespace vokc::test {
namespace {

namespace fs = std::filesystem;

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

// Editor commands written as hexadecimal bytes.
std::string Commands(const fs::path& path) {
    std::istringstream hex(ReadFile(path));
    std::string bytes, word;
    while (hex >> word)
        bytes += static_cast<char>(std::stoi(word, nullptr, 16));
    return bytes;
}

// Each run in a fresh directory, so that the files of one do not meet the other.
std::string Isolated(std::string_view program, std::string_view console, std::string_view commands,
                     bool cache, int stopAtPoll) {
    TempDirGuard dir;
    return differential::Transcript(program, console, commands, cache, stopAtPoll);
}

void ExpectSameRuns(const std::string& name, std::string_view program, std::string_view console,
                    std::string_view commands, int stopAtPoll = 0) {
    const std::string with = Isolated(program, console, commands, true, stopAtPoll);
    const std::string without = Isolated(program, console, commands, false, stopAtPoll);
    EXPECT_EQ(with, without) << name;
}

// Step through the start, set a breakpoint, edit two lines and add one, run to the end,
// then run again from the start.
const std::string kSession = {
    2, 0, 1, 1, 1, 1, 1, 2, 3 + (7 << 3), 1, 6 + (9 << 3), 6 + 4 + (5 << 3), 7 + (8 << 3),
    1, 5, 0, 4, 0};

TEST(LineCache, EveryProgramOfTheProjectRunsTheSameWithAndWithoutIt) {
    const fs::path root = VOKC_SOURCE_DIR;
    int programs = 0;
    for (const char* folder :
         {"tests/programs", "examples", "fuzz/interpreter_seeds", "docs/help/examples"}) {
        for (const auto& entry : fs::directory_iterator(root / folder)) {
            const fs::path& path = entry.path();
            if (path.extension() != ".c") continue;
            fs::path input = path;
            input.replace_extension(".in");
            if (std::string(folder) == "examples")
                input = root / "tests/examples" / path.filename().replace_extension(".in");
            fs::path commands = path;
            commands.replace_extension(".cmd");
            const std::string program = ReadFile(path);
            const std::string console = fs::exists(input) ? ReadFile(input) : "";
            const std::string name = path.string();
            ExpectSameRuns(name, program, console,
                           fs::exists(commands) ? Commands(commands) : std::string(1, '\0'));
            ExpectSameRuns(name + " (session)", program, console, kSession, 2);
            ++programs;
        }
    }
    EXPECT_GT(programs, 150);
}

TEST(LineCache, RandomProgramsRunTheSameWithAndWithoutIt) {
    for (std::uint32_t seed = 1; seed <= 400; ++seed) {
        differential::ProgramGenerator generator(seed);
        const std::string program = generator.Program();
        std::string commands = seed % 2 ? std::string(1, '\0') : kSession;
        // Some sessions change the lines the loops run.
        for (std::uint32_t k = 0; k < seed % 5; ++k) {
            commands += static_cast<char>(6 + ((seed * 7 + k * 13) % 24 << 3));
            commands += '\1';
        }
        ExpectSameRuns("seed " + std::to_string(seed) + ":\n" + program, program, "5\nabc\n7\n",
                       commands, seed % 3 == 0 ? 2 : 0);
    }
}

// A loop paused in step mode before its WHILE line: a line of its body is changed, then
// the block is made shorter; each edit runs from the next pass on, with the cache on.
TEST(LineCache, AnEditDuringAPauseRunsAtTheNextPass) {
    test::Run run("int n\n"                // 0
                  "main()\n"               // 1
                  "{\n"                    // 2
                  "n = 0\n"                // 3
                  "while (n < 6)\n"        // 4
                  "{\n"                    // 5
                  "n++\n"                  // 6
                  "printf(\"%d\\n\", n)\n" // 7
                  "}\n"                    // 8
                  "printf(\"fin\")\n"      // 9
                  "}\n");
    const auto stepUntil = [&](const std::string& console) {
        for (int steps = 0; steps < 100; ++steps) {
            if (run.host.console == console && run.startLine == 4) return true;
            const StopReason reason = run.Go(StepMode::Line);
            if (reason != StopReason::Step && reason != StopReason::StepBeforeBlockEnd)
                return false;
        }
        return false;
    };
    ASSERT_TRUE(stepUntil("1\n")) << run.host.console;
    run.text.lines[6] = "n = n + 2";
    ASSERT_TRUE(stepUntil("1\n3\n")) << run.host.console;
    // The block now ends a line earlier: its end is searched again.
    run.text.lines[7] = "}";
    run.text.lines[8] = "printf(\"%d\\n\", n)";
    EXPECT_EQ(run.Go(), StopReason::Finished);
    EXPECT_EQ(run.host.console, "1\n3\n7\nfin");
    EXPECT_TRUE(run.host.messages.empty());
}

} // namespace
} // namespace vokc::test
