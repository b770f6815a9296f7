// libFuzzer harness of the interpreter: runs a fuzzed program, with fuzzed console input,
// through the commands the editor gives (run, resume, step mode, breakpoints), within a
// budget of executed lines, then asks for the symbol listing and examines every symbol;
// last, the look before a run and the hints of a few messages on the first lines.
//
// Input:  PROGRAM [ "\0\0" CONSOLE [ "\0\0" COMMANDS [ "\0\0" REFERENCES ] ] ]
//   PROGRAM   the program's bytes (Windows-1252), lines ended by CR LF, LF or CR;
//   CONSOLE   the answers, one a line, and the keys of getch(), one a byte;
//   COMMANDS  one byte a command, low three bits: 0 run from the start, 1 resume,
//             2 step mode on/off, 3 toggle a breakpoint on line 1 + (byte >> 3), 4 other
//             decimal separator, 5 breakpoints on/off, 6 tracing on/off, 7 printer
//             working/failing. Without COMMANDS the program is run once from the start.
//   REFERENCES  texts for the variable inspector, one a line, examined after the run
//             besides every symbol.
// Files and directories stay inside a scratch directory (sandbox.h).
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <sys/resource.h>
#include <vector>

#include "engine.h"
#include "fuzz_host.h"
#include "hints.h"
#include "program_check.h"
#include "sandbox.h"
#include "text.h"

using namespace vokc;

namespace {

constexpr std::uint64_t kLineBudget = 20000;
constexpr std::size_t kMaxCommands = 64;
constexpr rlim_t kMaxFileBytes = 8 << 20;
bool verbose = false;

#define FUZZ_CHECK(cond)                                                                           \
    do {                                                                                           \
        if (!(cond)) {                                                                             \
            std::fprintf(stderr, "check failed: %s (%s:%d)\n", #cond, __FILE__, __LINE__);         \
            std::abort();                                                                          \
        }                                                                                          \
    } while (0)

class Lines : public ProgramText {
  public:
    explicit Lines(std::string_view bytes) {
        std::string cur;
        for (std::size_t i = 0; i < bytes.size(); ++i) {
            char c = bytes[i];
            if (c == '\r' || c == '\n') {
                lines_.push_back(std::move(cur));
                cur.clear();
                if (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
            } else {
                cur += c;
            }
        }
        if (!cur.empty()) lines_.push_back(std::move(cur));
    }
    int LineCount() const override { return static_cast<int>(lines_.size()); }
    std::string_view Line(int i) const override {
        FUZZ_CHECK(i >= 0 && i < LineCount());
        return lines_[static_cast<std::size_t>(i)];
    }
    std::string& Edit(int i) { return lines_[static_cast<std::size_t>(i)]; }

  private:
    std::vector<std::string> lines_;
};

std::string_view Cut(std::string_view& rest) {
    constexpr std::string_view kSeparator("\0\0", 2);
    std::size_t at = rest.find(kSeparator);
    std::string_view head = rest.substr(0, at);
    rest = at == std::string_view::npos ? std::string_view() : rest.substr(at + 2);
    return head;
}

// The editor's side of a run: the shared StartLine and StepMode, and the markers it puts
// in front of lines.
struct Editor {
    Lines& text;
    Engine& interp;
    int startLine = 0;
    StepMode stepMode = StepMode::Free;
    StopReason last = StopReason::Finished;

    bool HasLine(int line) const { return line >= 0 && line < text.LineCount(); }

    void Check(const RunResult& result) {
        FUZZ_CHECK(interp.ControlTop() >= 0 && interp.ControlTop() <= kControlStackSize);
        FUZZ_CHECK(interp.BlockCount() >= 0 && interp.BlockCount() <= kBlockStackSize);
        // Only a step mode pauses after a line.
        FUZZ_CHECK(stepMode != StepMode::Free || (result.reason != StopReason::Step &&
                                                  result.reason != StopReason::StepBeforeBlockEnd));
        startLine = result.line;
        last = result.reason;
    }

    void Run() {
        for (int i = 0; i < text.LineCount(); ++i) {
            std::string& l = text.Edit(i);
            if (!l.empty() && l[0] == kStepMarker) l.erase(0, 1);
        }
        interp.StartProgram("fuzz.c");
        Check(interp.Exec(text, 0, stepMode));
        if (stepMode == StepMode::Line && HasLine(startLine))
            text.Edit(startLine).insert(0, 1, kStepMarker);
    }

    void Resume() {
        if (HasLine(startLine) && !text.Line(startLine).empty() &&
            text.Line(startLine)[0] == kStepMarker)
            text.Edit(startLine).erase(0, 1);
        Check(interp.Exec(text, startLine, stepMode));
        if (stepMode == StepMode::Line && last != StopReason::StepBeforeBlockEnd &&
            HasLine(startLine))
            text.Edit(startLine).insert(0, 1, kStepMarker);
    }

    void ToggleBreakpoint(int line) {
        if (!HasLine(line)) return;
        std::string& l = text.Edit(line);
        if (!l.empty() && l[0] == kBreakMarker)
            l.erase(0, 1);
        else
            l.insert(0, 1, kBreakMarker);
        startLine = line;
    }
};

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    verbose = std::getenv("VOKC_FUZZ_VERBOSE") != nullptr;
    fuzz::Sandbox::Create();
    // A program that keeps writing must not fill the disk: writes past this size fail,
    // as on a full disk (the signal is ignored once libFuzzer has set its handlers).
    rlimit size{};
    if (getrlimit(RLIMIT_FSIZE, &size) == 0 && size.rlim_max > kMaxFileBytes) {
        size.rlim_cur = kMaxFileBytes;
        setrlimit(RLIMIT_FSIZE, &size);
    }
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view rest(reinterpret_cast<const char*>(data), size);
    const std::string_view program = Cut(rest);
    const std::string_view console = Cut(rest);
    std::string_view commands = Cut(rest);
    if (commands.empty()) commands = std::string_view("\0", 1);
    std::string_view references = rest;
    if (commands.size() > kMaxCommands) commands = commands.substr(0, kMaxCommands);

    static const bool writesFailPastTheLimit = std::signal(SIGXFSZ, SIG_IGN) != SIG_ERR;
    (void)writesFailPastTheLimit;

    fuzz::Sandbox sandbox; // outlives the interpreter, which closes its files first
    fuzz::FuzzHost host(console);
    host.verbose = verbose;
    Lines text(program);
    Engine interp(host);
    interp.SetStepLimit(kLineBudget);
    Editor editor{text, interp};
    bool breakpoints = true, trace = false;
    for (char c : commands) {
        const auto command = static_cast<unsigned char>(c);
        switch (command & 7) {
        case 0:
            editor.Run();
            break;
        case 1:
            editor.Resume();
            break;
        case 2:
            editor.stepMode = editor.stepMode == StepMode::Free ? StepMode::Line : StepMode::Free;
            break;
        case 3:
            editor.ToggleBreakpoint(command >> 3);
            break;
        case 4:
            host.separator = host.separator == ',' ? '.' : ',';
            break;
        case 5:
            interp.SetBreakpointsEnabled(breakpoints = !breakpoints);
            break;
        case 6:
            interp.SetTrace(trace = !trace);
            break;
        case 7:
            host.printerWorks = !host.printerWorks;
            break;
        }
        if (editor.last == StopReason::StepLimit) break;
    }
    interp.CloseAllFiles();

    // What the inspection windows show after the run.
    if (verbose)
        std::fprintf(stderr, "[fin] %llu lignes, arret %d, dossier %s\n",
                     static_cast<unsigned long long>(interp.ExecutedLines()),
                     static_cast<int>(editor.last), fuzz::Sandbox::Root().c_str());
    for (const std::string& line : interp.SymbolListing())
        host.Message(line, -1);
    for (int p = 1; p <= interp.SymbolCount(); ++p) {
        std::string name(interp.Symbol(p).Name());
        if (!name.empty() && name.back() == '[') name += "1]";
        host.Message(interp.ExamineText(name), -1);
    }
    while (!references.empty()) {
        std::size_t end = references.find('\n');
        host.Message(interp.ExamineText(references.substr(0, end)), -1);
        references.remove_prefix(end == std::string_view::npos ? references.size() : end + 1);
    }

    // The look before a run, and the hints of the messages that read the program around
    // their line.
    for (const ProgramWarning& warning : CheckProgram(text))
        host.Message(warning.text, warning.line);
    static const std::string kMessages[] = {
        Utf8ToCp1252("ELSE manquant"),
        Utf8ToCp1252("Identificateur  inconnu"),
        Utf8ToCp1252("Identificateur x inconnu"),
        Utf8ToCp1252("MAIN() non trouvé"),
        Utf8ToCp1252("Fichier non ouvert en écriture"),
        Utf8ToCp1252("'2.5' n'est pas une valeur flottante correcte")};
    for (int line = -1; line < text.LineCount() && line < 16; ++line)
        for (const std::string& message : kMessages)
            host.Message(HintFor(message, text, line).text, line);
    return 0;
}
