// The history of pauses: values rebuilt from the stored changes, the oldest pauses
// forgotten at the capacity, moving through the pauses, and the memory it takes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "run_history.h"

namespace vokc {
namespace {

std::vector<std::string> Row(std::initializer_list<const char*> values) {
    return {values.begin(), values.end()};
}

TEST(RunHistory, RebuildsEveryPauseFromTheChanges) {
    RunHistory h(10);
    EXPECT_TRUE(h.empty());
    EXPECT_FALSE(h.back());
    h.record(3, Row({"0", "a", "x"}));
    h.record(4, Row({"1", "a", "x"}));
    h.record(5, Row({"1", "b", "x"}));
    h.record(6, Row({"2", "b"})); // a row may go (a shorter list)
    ASSERT_EQ(h.size(), 4u);
    EXPECT_EQ(h.values(0), Row({"0", "a", "x"}));
    EXPECT_EQ(h.values(1), Row({"1", "a", "x"}));
    EXPECT_EQ(h.values(2), Row({"1", "b", "x"}));
    EXPECT_EQ(h.values(3), Row({"2", "b"}));
    EXPECT_EQ(h.values(99), Row({"2", "b"}));
    EXPECT_EQ(h.line(2), 5);
    // Moving through the pauses.
    EXPECT_FALSE(h.inPast());
    EXPECT_FALSE(h.forward());
    EXPECT_TRUE(h.back());
    EXPECT_TRUE(h.back());
    EXPECT_EQ(h.viewed(), 1u);
    EXPECT_TRUE(h.inPast());
    EXPECT_TRUE(h.forward());
    h.toPresent();
    EXPECT_EQ(h.viewed(), 3u);
    h.back();
    h.record(7, Row({"3", "b"})); // a new pause brings the view back to the present
    EXPECT_FALSE(h.inPast());
    h.clear();
    EXPECT_TRUE(h.empty());
    EXPECT_TRUE(h.values(0).empty());
}

TEST(RunHistory, KeepsTheLastPausesUpToItsCapacity) {
    RunHistory h(3);
    for (int k = 0; k < 10; ++k)
        h.record(k, {std::to_string(k), std::to_string(k / 2), "fixe"});
    ASSERT_EQ(h.size(), 3u);
    EXPECT_EQ(h.line(0), 7);
    for (std::size_t i = 0; i < 3; ++i)
        EXPECT_EQ(h.values(i), Row({std::to_string(7 + i).c_str(),
                                    std::to_string((7 + i) / 2).c_str(), "fixe"}));
}

// 10,000 pauses of a program with 200 variables (arrays and strings among them), one or
// two values changing at each pause: well under 50 MB.
TEST(RunHistory, TenThousandPausesOfTwoHundredVariablesTakeLittleMemory) {
    std::vector<std::string> values;
    for (int v = 0; v < 150; ++v)
        values.push_back(std::to_string(v));
    for (int v = 0; v < 40; ++v)
        values.push_back("une cha\xEEne assez longue pour quitter le petit tampon " +
                         std::to_string(v));
    for (int v = 0; v < 10 * 100; ++v) // ten arrays of 100
        values.push_back("0");
    RunHistory h;
    for (int k = 0; k < 12000; ++k) {
        values[static_cast<std::size_t>(k % 150)] = std::to_string(k);
        values[150 + static_cast<std::size_t>(k % 40)] =
            "texte modifi\xE9 au pas " + std::to_string(k);
        values[190 + static_cast<std::size_t>(k % 1000)] = std::to_string(k * 3);
        h.record(k % 50, values);
    }
    EXPECT_EQ(h.size(), 10000u);
    EXPECT_EQ(h.values(9999), values);
    EXPECT_LT(h.memoryBytes(), 50u * 1024 * 1024);
    std::printf("history of 10000 pauses: %zu bytes\n", h.memoryBytes());
}

} // namespace
} // namespace vokc
