// The host of the interpreter fuzzer: console input from the fuzzed bytes, output read
// and dropped (the ends and the middle of every text are read, so that a dangling or
// overlong view shows up under the sanitizers, but nothing is kept: a long run must not
// grow the host), a printer that can be made to fail, and a fixed clock.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

#include "host.h"

namespace vokc::fuzz {

class FuzzHost : public Host {
  public:
    explicit FuzzHost(std::string_view console) : console_(console) {}

    // Shows messages and console output on stderr (VOKC_FUZZ_VERBOSE set), to look at
    // what one input does.
    bool verbose = false;
    char separator = ',';
    bool printerWorks = true;
    std::uint64_t checksum = 0; // of everything shown, so that no read is optimised away

    void Message(std::string_view text, int line) override {
        Touch(text);
        if (verbose)
            std::fprintf(stderr, "[message %d] %.*s\n", line + 1, Shown(text), text.data());
    }
    void ErrorBox(std::string_view text, int line) override {
        Touch(text);
        if (verbose) std::fprintf(stderr, "[erreur %d] %.*s\n", line + 1, Shown(text), text.data());
    }
    void ShowConsole(std::string_view caption) override { Touch(caption); }
    void DrawText(int x, int y, std::string_view text) override {
        checksum += static_cast<std::uint64_t>(x) ^ static_cast<std::uint64_t>(y);
        Touch(text);
        if (verbose) std::fprintf(stderr, "%.*s", Shown(text), text.data());
    }
    int TextWidth(std::string_view text) override {
        // As a proportional font measures: never negative, at most a few pixels a byte.
        return static_cast<int>(text.size() % 100000) * 7;
    }
    void LineBreak() override {
        if (verbose) std::fputc('\n', stderr);
    }
    void ClearScreen() override { ++checksum; }
    // One line of the console bytes (up to a line feed); empty once they are used up.
    std::string ReadAnswer(int, int) override {
        std::size_t end = console_.find('\n');
        std::string_view line = console_.substr(0, end);
        console_.remove_prefix(end == std::string_view::npos ? console_.size() : end + 1);
        return std::string(line);
    }
    std::string ReadKey(int /*x*/, int /*y*/) override {
        if (console_.empty()) return {};
        std::string key(1, console_[0]);
        console_.remove_prefix(1);
        return key;
    }
    bool BeginPrint() override { return printerWorks; }
    bool PrintLine(std::string_view text) override {
        Touch(text);
        return printerWorks;
    }
    bool EndPrint() override { return printerWorks; }
    DateTime Now() override { return DateTime{2026, 12, 6, 8, 45, 10, 250}; }
    std::uint32_t MillisecondsTodayUtc() override { return 31510250; }
    std::string ShortDate(const DateTime& d) override {
        char b[40];
        std::snprintf(b, sizeof b, "%02d/%02d/%04d", d.day, d.month, d.year);
        return b;
    }
    std::string LongTime(const DateTime& d) override {
        char b[40];
        std::snprintf(b, sizeof b, "%02d:%02d:%02d", d.hour, d.minute, d.second);
        return b;
    }
    char DecimalSeparator() override { return separator; }
    void TraceLine(int line, std::string_view text) override {
        checksum += static_cast<std::uint64_t>(line);
        Touch(text);
    }

  private:
    static int Shown(std::string_view text) {
        return static_cast<int>(std::min<std::size_t>(text.size(), 200));
    }
    void Touch(std::string_view text) {
        checksum = checksum * 31 + text.size();
        if (text.empty()) return;
        for (std::size_t at : {std::size_t{0}, text.size() / 2, text.size() - 1})
            checksum = checksum * 31 + static_cast<unsigned char>(text[at]);
    }

    std::string_view console_;
};

} // namespace vokc::fuzz
