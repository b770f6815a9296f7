// The bytes between the application and its grading process: what is sent comes back
// whole, and no truncated or altered bytes are taken for a request or a frame.
#include <gtest/gtest.h>

#include "grade_wire.h"

namespace vokc::grading {
namespace {

GradeRequest SampleRequest() {
    GradeRequest request;
    request.folder = "/tmp/exercice \xE9t\xE9";
    request.settings.maxSteps = 1234;
    request.settings.timeout = std::chrono::milliseconds(2500);
    request.settings.separator = ',';
    request.settings.jobs = 3;
    request.settings.keepOutputs = true;
    Program readable;
    readable.file = "a.c";
    readable.lines = {"main()", "{", std::string("  puts(\"\0x\");", 14), "}"};
    Program unreadable;
    unreadable.file = "b.c";
    unreadable.unreadable = "fichier illisible";
    request.programs = {readable, unreadable};
    return request;
}

TEST(GradeWire, RequestAndFramesComeBackWhole) {
    const GradeRequest sent = SampleRequest();
    GradeRequest got;
    ASSERT_TRUE(DecodeRequest(EncodeRequest(sent), got));
    EXPECT_EQ(got.folder, sent.folder);
    EXPECT_EQ(got.settings.maxSteps, 1234u);
    EXPECT_EQ(got.settings.timeout, std::chrono::milliseconds(2500));
    EXPECT_EQ(got.settings.separator, ',');
    EXPECT_EQ(got.settings.jobs, 3u);
    EXPECT_TRUE(got.settings.keepOutputs);
    ASSERT_EQ(got.programs.size(), 2u);
    EXPECT_EQ(got.programs[0].lines, sent.programs[0].lines);
    EXPECT_EQ(got.programs[1].unreadable, "fichier illisible");

    ProgramResults results{"a.c", {}};
    results.runs.push_back({Result::Passed, 0, "", ""});
    results.runs.push_back({Result::Error, 7, "erreur, ligne 7", std::string("x\0y", 3)});
    // Frames split anywhere are read once whole, in order.
    const std::string bytes = EncodeProgress(1, 2) + EncodeResults(false,
                                                                   "notation annul\xC3\xA9"
                                                                   "e",
                                                                   {results});
    FrameReader reader;
    std::vector<GradeFrame> frames;
    for (char c : bytes) {
        reader.Append(std::string_view(&c, 1));
        while (auto frame = reader.Next())
            frames.push_back(std::move(*frame));
    }
    ASSERT_FALSE(reader.Broken());
    ASSERT_EQ(frames.size(), 2u);
    EXPECT_EQ(frames[0].kind, GradeFrame::Kind::Progress);
    EXPECT_EQ(frames[0].done, 1u);
    EXPECT_EQ(frames[0].total, 2u);
    EXPECT_EQ(frames[1].kind, GradeFrame::Kind::Results);
    EXPECT_FALSE(frames[1].ok);
    EXPECT_EQ(frames[1].error, "notation annul\xC3\xA9"
                               "e");
    ASSERT_EQ(frames[1].programs.size(), 1u);
    ASSERT_EQ(frames[1].programs[0].runs.size(), 2u);
    EXPECT_EQ(frames[1].programs[0].runs[1].result, Result::Error);
    EXPECT_EQ(frames[1].programs[0].runs[1].line, 7);
    EXPECT_EQ(frames[1].programs[0].runs[1].output, std::string("x\0y", 3));
}

TEST(GradeWire, DamagedBytesAreRefused) {
    const std::string request = EncodeRequest(SampleRequest());
    GradeRequest got;
    // Every truncation, and every single byte changed to the largest value.
    for (std::size_t n = 0; n < request.size(); ++n)
        EXPECT_FALSE(DecodeRequest(std::string_view(request).substr(0, n), got)) << n;
    EXPECT_FALSE(DecodeRequest(request + "x", got));
    for (std::size_t i = 0; i < request.size(); ++i) {
        std::string damaged = request;
        damaged[i] = '\xFF';
        DecodeRequest(damaged, got); // refused or read, never out of bounds
    }
    const std::string frame = EncodeResults(true, "", {ProgramResults{"a.c", {RunResult{}}}});
    for (std::size_t i = 8; i < frame.size(); ++i) {
        std::string damaged = frame;
        damaged[i] = '\xFF';
        FrameReader reader;
        reader.Append(damaged);
        const auto got_frame = reader.Next();
        EXPECT_TRUE(!got_frame || reader.Broken() || got_frame->programs.size() <= 1) << i;
    }
    // A verdict beyond the four is no frame.
    std::string unknown = frame;
    const std::size_t verdict = unknown.size() - 8 * 4; // result, line, detail, output
    unknown[verdict] = 9;
    FrameReader reader;
    reader.Append(unknown);
    EXPECT_FALSE(reader.Next());
    EXPECT_TRUE(reader.Broken());
}

} // namespace
} // namespace vokc::grading
