// The line cache's differential check: one program, with its console input and a session
// of editor commands (runs, resumes, step mode, breakpoints, edits of the text between
// two runs), run once with the line cache and once without. Everything the run shows
// goes into a transcript (console, messages and their lines, error boxes, stop reasons
// and lines, traced lines, the symbol listing and every symbol's value); the two
// transcripts must be byte for byte the same. Used by the interpreter's tests and by a
// fuzz target. The caller puts each run in a fresh current directory of its own.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "engine.h"

namespace vokc::differential {

// A host that writes everything it is told into a transcript.
class RecordingHost final : public Host {
  public:
    explicit RecordingHost(std::string_view console) : console_(console) {}
    std::string log;
    char separator = ',';
    bool printerWorks = true;
    int stopAtPoll = 0; // StopRequested answers true at that poll (0: never)

    void Message(std::string_view text, int line) override { Put("message", line, text); }
    void ErrorBox(std::string_view text, int line) override { Put("error", line, text); }
    void Warning(std::string_view text, int line) override { Put("warning", line, text); }
    void ShowConsole(std::string_view caption) override { Put("console", 0, caption); }
    void DrawText(int x, int y, std::string_view text) override { Put("draw", x * 1000 + y, text); }
    int TextWidth(std::string_view text) override { return 7 * static_cast<int>(text.size()); }
    void LineBreak() override { log += "|break\n"; }
    void ClearScreen() override { log += "|clear\n"; }
    std::string ReadAnswer(int x, int y) override {
        const std::size_t end = console_.find('\n');
        std::string answer(console_.substr(0, end));
        console_.remove_prefix(end == std::string_view::npos ? console_.size() : end + 1);
        Put("answer", x * 1000 + y, answer);
        return answer;
    }
    std::string ReadKey(int x, int y) override {
        std::string key(console_.substr(0, 1));
        console_.remove_prefix(key.size());
        Put("key", x * 1000 + y, key);
        return key;
    }
    bool BeginPrint() override { return printerWorks; }
    bool PrintLine(std::string_view text) override {
        Put("print", 0, text);
        return printerWorks;
    }
    bool EndPrint() override { return printerWorks; }
    DateTime Now() override { return DateTime{2026, 12, 6, 8, 45, 10, 250}; }
    std::uint32_t MillisecondsTodayUtc() override { return 31510250; }
    std::string ShortDate(const DateTime&) override { return "06/12/2026"; }
    std::string LongTime(const DateTime&) override { return "08:45:10"; }
    char DecimalSeparator() override { return separator; }
    bool StopRequested() override { return ++polls_ == stopAtPoll; }
    void TraceLine(int line, std::string_view text) override { Put("trace", line, text); }
    // Names stay below the current directory.
    bool PathAllowed(std::string_view path, PathUse) override {
        return !path.empty() && path[0] != '/' && path.find("..") == std::string_view::npos;
    }

  private:
    void Put(std::string_view what, int number, std::string_view text) {
        log += '|';
        log += what;
        log += ' ';
        log += std::to_string(number);
        log += ' ';
        log += text;
        log += '\n';
    }
    std::string_view console_;
    int polls_ = 0;
};

// A program's lines, editable between two runs.
class EditableText final : public ProgramText {
  public:
    explicit EditableText(std::string_view bytes) {
        std::string line;
        for (std::size_t i = 0; i < bytes.size(); ++i) {
            const char c = bytes[i];
            if (c == '\r' || c == '\n') {
                lines_.push_back(line);
                line.clear();
                if (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
            } else {
                line += c;
            }
        }
        if (!line.empty()) lines_.push_back(line);
    }
    int LineCount() const override { return static_cast<int>(lines_.size()); }
    std::string_view Line(int i) const override { return lines_[static_cast<std::size_t>(i)]; }
    std::vector<std::string>& Lines() { return lines_; }

  private:
    std::vector<std::string> lines_;
};

// One byte a command, low three bits: 0 run from the start, 1 resume, 2 step mode on/off,
// 3 breakpoint on/off on line (byte >> 3), 4 other decimal separator, 5 trace on/off,
// 6 edit of line (byte >> 3) (by bit 2 of the byte: copied to the next line, or changed
// by one character), 7 a line inserted or removed at (byte >> 3). No commands: one run.
inline std::string Transcript(std::string_view program, std::string_view console,
                              std::string_view commands, bool cache, int stopAtPoll = 0) {
    RecordingHost host(console);
    host.stopAtPoll = stopAtPoll;
    EditableText text(program);
    Engine engine(host);
    engine.SetLineCache(cache);
    engine.SetStepLimit(20000);
    std::vector<std::string>& lines = text.Lines();
    const auto has = [&](int line) { return line >= 0 && line < text.LineCount(); };
    int startLine = 0;
    StepMode mode = StepMode::Free;
    bool trace = false;
    RunResult last;
    const auto run = [&](int from) {
        last = engine.Exec(text, from, mode);
        startLine = last.line;
        host.log += "|stop " + std::to_string(static_cast<int>(last.reason)) + ' ' +
                    std::to_string(last.line) + ' ' + std::to_string(engine.ExecutedLines()) + '\n';
    };
    if (commands.empty()) commands = std::string_view("\0", 1);
    for (const char c : commands) {
        const auto command = static_cast<unsigned char>(c);
        const int line = command >> 3;
        switch (command & 7) {
        case 0:
            engine.StartProgram("diff.c");
            run(0);
            break;
        case 1:
            run(startLine);
            break;
        case 2:
            mode = mode == StepMode::Free ? StepMode::Line : StepMode::Free;
            break;
        case 3:
            if (!has(line)) break;
            if (!lines[line].empty() && lines[line][0] == kBreakMarker)
                lines[line].erase(0, 1);
            else
                lines[line].insert(0, 1, kBreakMarker);
            break;
        case 4:
            host.separator = host.separator == ',' ? '.' : ',';
            break;
        case 5:
            engine.SetTrace(trace = !trace);
            break;
        case 6:
            if (!has(line)) break;
            if ((command & 4) && has(line + 1))
                lines[line + 1] = lines[line];
            else if (!lines[line].empty())
                lines[line].back() = lines[line].back() == '1' ? '2' : '1';
            break;
        case 7:
            if (has(line) && (command & 4))
                lines.erase(lines.begin() + line);
            else if (line <= text.LineCount())
                lines.insert(lines.begin() + line, "n = n + 1");
            break;
        }
        if (last.reason == StopReason::StepLimit) break;
    }
    engine.CloseAllFiles();
    for (const std::string& row : engine.SymbolListing())
        host.log += "|symbol " + row + '\n';
    for (int p = 1; p <= engine.SymbolCount(); ++p) {
        std::string name(engine.Symbol(p).Name());
        if (!name.empty() && name.back() == '[') name += "1]";
        host.log += "|value " + engine.ExamineText(name) + '\n';
    }
    return host.log;
}

// A random program of the language's usual shapes (loops, tests, procedures, labels,
// strings, console), with a sprinkling of faults, from a seed: the same seed gives the
// same program.
class ProgramGenerator {
  public:
    explicit ProgramGenerator(std::uint32_t seed) : state_(seed * 2654435761u + 1) {}

    std::string Program() {
        std::string p = "int i, j, n, k\nfloat x\nchar s[30], c\n";
        const int procedures = static_cast<int>(Next(3));
        for (int q = 0; q < procedures; ++q) {
            p += "void proc" + std::to_string(q) + "()\n{\n";
            Block(p, 1, 2);
            if (Next(3) == 0) p += "return\n";
            p += "}\n";
        }
        procedures_ = procedures;
        p += "main()\n{\n";
        Block(p, 0, 6);
        p += "printf(\"%d %d %d %s\\n\", i, n, k, s)\n}\n";
        return p;
    }

  private:
    std::uint32_t Next(std::uint32_t n) {
        state_ ^= state_ << 13;
        state_ ^= state_ >> 17;
        state_ ^= state_ << 5;
        return state_ % n;
    }
    std::string Pick(std::initializer_list<const char*> choices) {
        const auto at = Next(static_cast<std::uint32_t>(choices.size()));
        return *(choices.begin() + at);
    }
    std::string Var() { return Pick({"i", "j", "n", "k"}); }
    std::string Operand() {
        if (Next(8) == 0)
            return Pick(
                {"007", "'5'", "\"12\"", "-0", "+4", "9999999999", "x", "22222222222222222222222"});
        return Next(3) == 0 ? std::to_string(static_cast<int>(Next(20)) - 3) : Var();
    }
    std::string Condition() {
        return "(" + Operand() + " " + Pick({"<", ">", "<=", ">=", "==", "!="}) + " " + Operand() +
               ")";
    }
    void Block(std::string& p, int depth, int statements) {
        const int count = 1 + static_cast<int>(Next(static_cast<std::uint32_t>(statements)));
        for (int s = 0; s < count; ++s)
            Statement(p, depth);
    }
    void Body(std::string& p, int depth) {
        if (Next(3) == 0) {
            Statement(p, depth + 1);
            return;
        }
        p += Pick({"{\n", "{\n", "\t{ \n"});
        Block(p, depth + 1, 3);
        p += Pick({"}\n", "}\n", "};\n"});
    }
    void Statement(std::string& p, int depth) {
        const auto kind = depth > 2 ? Next(8) : Next(14);
        switch (kind) {
        case 0:
            p += Var() + " = " + Operand() + " " + Pick({"+", "-", "*", "/", "%"}) + " " +
                 Operand() + Pick({"\n", ";\n"});
            break;
        case 1:
            p += Var() + Pick({"++\n", "--\n", "++;\n"});
            break;
        case 2:
            p += Pick({"s = s + \"ab\"\n", "s = \"xy\" + s\n", "strcat(s, \"z\")\n",
                       "s = ITOA(n)\n", "c = 'q'\n", "x = x + 1.5\n", "s = \"\"\n",
                       "s = \"ab\" + 'c'\n", "c = \"\"\n", "s = \"a\"\"b\"\n"});
            break;
        case 3:
            p += Pick({"printf(\"%d\\n\", n)\n", "printf(\"%s %c\\n\", s, c)\n", "puts(s)\n",
                       "printf(\"%.2f\\n\", x)\n", "gotoxy(3, 4)\n"});
            break;
        case 4:
            if (procedures_ > 0) {
                p += "proc" + std::to_string(Next(static_cast<std::uint32_t>(procedures_))) +
                     Pick({"()\n", "();\n"});
                break;
            }
            [[fallthrough]];
        case 5:
            p += Pick({"scanf(\"%d\", &n)\n", "gets(s)\n", "k = k + i\n", "break\n", "nop\n",
                       "// note\n", "   \n"});
            break;
        case 6:
            p += Pick({"inconnu = 3\n", "n = \n", "clrscr()\n", "goto fin\n", "x = 1/0\n",
                       "n = n + zz\n", "i = i\n", "if (k >= )\nn++\n"});
            break;
        case 7:
            p += "fin:\n";
            break;
        case 8:
        case 9:
            p += "if " + Condition() + "\n";
            Body(p, depth);
            if (Next(2) == 0) {
                p += "else\n";
                Body(p, depth);
            }
            break;
        case 10:
        case 11: {
            const std::string v = Pick({"i", "j"});
            p += "for (" + v + "=" + std::to_string(Next(3)) + "; " + v + Pick({"<", "<=", ">"}) +
                 std::to_string(Next(12)) + "; " + v + Pick({"++", "--"}) + ")\n";
            Body(p, depth);
            break;
        }
        case 12:
            p += "k = 0\nwhile (k < " + std::to_string(Next(9)) + ")\n{\nk++\n";
            Block(p, depth + 1, 3);
            p += "}\n";
            break;
        default:
            p += "do\n{\nn++\n";
            Block(p, depth + 1, 2);
            p += "}\nwhile (n < " + std::to_string(Next(30)) + ")\n";
            break;
        }
    }

    std::uint32_t state_;
    int procedures_ = 0;
};

} // namespace vokc::differential
