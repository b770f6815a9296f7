// A host for tests: records messages and console output, answers input from a queue,
// prints into a list, and gives a fixed clock and a chosen decimal separator.
#pragma once

#include <deque>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "host.h"
#include "program_text.h"

namespace vokc::test {

struct FakeHost : Host {
    std::vector<std::string> messages;
    std::vector<int> messageLines;
    std::vector<std::string> errorBoxes;
    std::string console; // drawn texts, '\n' at each line break
    std::vector<std::string> printed;
    std::deque<std::string> answers;
    std::deque<std::string> keys;
    std::vector<std::pair<int, int>> keyPositions; // where each key was read
    std::string caption;
    int clears = 0;
    int printJobs = 0;
    bool printerWorks = true;
    bool printing = false;
    char separator = ',';
    DateTime now{2026, 12, 6, 8, 45, 10, 250};
    // Stop requests: `stop` at once, or from the stopAfterPolls-th question on; with
    // stopWhenReading, the user stops the run while an answer or a key is awaited.
    bool stop = false;
    int stopAfterPolls = 0;
    int polls = 0;
    bool stopWhenReading = false;

    void Message(std::string_view text, int line) override {
        messages.emplace_back(text);
        messageLines.push_back(line);
    }
    void ErrorBox(std::string_view text, int) override { errorBoxes.emplace_back(text); }
    void ShowConsole(std::string_view c) override { caption = c; }
    void DrawText(int, int, std::string_view text) override { console.append(text); }
    int TextWidth(std::string_view text) override { return 8 * static_cast<int>(text.size()); }
    void LineBreak() override { console += '\n'; }
    void ClearScreen() override { ++clears; }
    std::string ReadAnswer(int, int) override {
        if (stopWhenReading) stop = true;
        if (answers.empty()) return {};
        std::string a = answers.front();
        answers.pop_front();
        return a;
    }
    std::string ReadKey(int x, int y) override {
        keyPositions.emplace_back(x, y);
        if (stopWhenReading) stop = true;
        if (keys.empty()) return {};
        std::string k = keys.front();
        keys.pop_front();
        return k;
    }
    bool BeginPrint() override {
        if (!printerWorks) return false;
        printing = true;
        ++printJobs;
        return true;
    }
    bool PrintLine(std::string_view text) override {
        if (!printing) return false;
        printed.emplace_back(text);
        return true;
    }
    bool EndPrint() override {
        printing = false;
        return true;
    }
    DateTime Now() override { return now; }
    std::uint32_t MillisecondsTodayUtc() override { return 12345678; }
    std::string ShortDate(const DateTime& d) override {
        char b[32];
        std::snprintf(b, sizeof b, "%02d/%02d/%04d", d.day, d.month, d.year);
        return b;
    }
    std::string LongTime(const DateTime& d) override {
        char b[32];
        std::snprintf(b, sizeof b, "%02d:%02d:%02d", d.hour, d.minute, d.second);
        return b;
    }
    char DecimalSeparator() override { return separator; }
    bool StopRequested() override {
        ++polls;
        return stop || (stopAfterPolls > 0 && polls >= stopAfterPolls);
    }
    std::string AllMessages() const {
        std::string all;
        for (auto& m : messages)
            all += m + "|";
        return all;
    }
};

// A program text held in memory (Windows-1252 lines).
struct MemoryText : ProgramText {
    std::vector<std::string> lines;
    MemoryText() = default;
    explicit MemoryText(const std::string& text) {
        std::string cur;
        for (char c : text) {
            if (c == '\n') {
                lines.push_back(cur);
                cur.clear();
            } else {
                cur += c;
            }
        }
        if (!cur.empty()) lines.push_back(cur);
    }
    int LineCount() const override { return static_cast<int>(lines.size()); }
    std::string_view Line(int i) const override { return lines[static_cast<std::size_t>(i)]; }
};

} // namespace vokc::test
