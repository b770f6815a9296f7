// What the run loop learns about a line, kept from pass to pass. The program text stays
// the truth: every line is read from it again at every pass, and what was learnt is used
// only while the line's bytes are exactly those it was learnt from. What depends on
// other lines (where a block ends, where a false IF goes on) is kept for one run only:
// the text may be edited between two runs (a pause), never during one. What depends on
// the symbol table (whether a word names a procedure) is kept while the table stays as
// it was.
#pragma once

#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "program_text.h"

namespace vokc {

// Statements that the dispatcher recognises by their keyword.
enum class Kw : std::uint8_t {
    None,
    Call,
    Clrscr,
    Randomize,
    Strcat,
    Strncat,
    Strcpy,
    Strncpy,
    Printf,
    Puts,
    Scanf,
    Gets,
    Fclose,
    Fputs,
    Fgets,
    Gotoxy,
    Goto,
    Break,
    If,
    Else,
    For,
    Next,
    While,
    Wend,
    Do,
    Return,
    Chdir,
    Rmdir,
    Mkdir
};

// The keyword a word in capitals names, Kw::None when it names none.
Kw FindKeyword(std::string_view word);

// The comparison operator of a condition and where it stands; false when there is none.
bool FindComparison(std::string_view text, std::size_t& at, std::string_view& op);

// What a line does before any statement runs, judged from its first characters.
enum class LineAction : std::uint8_t {
    Nothing,    // empty, a label, a declaration, a comment, NOP
    Main,       // main(): main's block is entered
    OpenBrace,  // '{'
    CloseBrace, // '}'
    EndSub,     // ENDSUB
    Fopen,      // an assignment of fopen
    Statement,  // a keyword statement, a call, an increment or an assignment
};

// The symbol table as a plan was made for: the run and the number of symbols.
using SymbolsStamp = std::uint64_t;

// One int operand of an assignment: a literal, an int variable's slot, or none (0).
struct IntOperandPlan {
    enum class Kind : std::uint8_t { None, Literal, Slot } kind = Kind::None;
    std::int32_t value = 0; // the literal, or the slot
};

// A whole int variable given an int expression of literals and int variables, or a
// string or char variable given a constant text (literals only); other assignments are
// not planned (`usable` false) and take the general path.
struct AssignmentPlan {
    SymbolsStamp stamp = 0; // the symbol table it holds for
    bool usable = false;
    char kind = 'I';        // the target's SymbolKind
    bool increment = false; // name++ or name--: `step` is added
    char op = 0;            // the operator, 0 for a single operand
    std::int32_t step = 0;
    std::int32_t target = 0; // the variable's slot
    IntOperandPlan left, right;
    // A string or char target's constant text, and its one or two terms (left in the
    // working texts as the general path leaves them).
    struct Text {
        std::string value, left, right;
        bool twoTerms = false;
    };
    std::unique_ptr<Text> text;
};

// One operand of a condition as its text: a constant text, a variable's value, or read
// by the general path from the line (`at`, `length` in the line's text).
// Conditions compare their operands' texts right-aligned in fields of this width.
inline constexpr std::size_t kConditionField = 16;

struct TextOperandPlan {
    enum class Kind : std::uint8_t { Constant, Variable, Other } kind = Kind::Other;
    char symbol = 0; // the variable's SymbolKind
    std::int32_t slot = 0;
    std::uint32_t at = 0, length = 0;
    std::string text;                 // a constant's text
    char field[kConditionField] = {}; // the same as the comparison sees it
    // A constant written as a natural number without leading zeros, and its value: two
    // such texts compare in their fields as their values do.
    bool natural = false;
    std::int64_t number = 0;
};

// A condition "(a OP b)" split once; FEOF tests and faulty conditions are not planned.
struct ConditionPlan {
    SymbolsStamp stamp = 0; // the symbol table it holds for
    bool usable = false;
    std::string_view op; // a static text
    char test = 0;       // the operator as one letter: = ! l g < >
    TextOperandPlan left, right;
};

// Right-aligns a text in a comparison field: blanks on the left, or its last characters.
void AlignField(std::string_view text, char (&field)[kConditionField]);
// The comparison `op` of two fields (unsigned byte order).
bool CompareFields(const char (&left)[kConditionField], const char (&right)[kConditionField],
                   std::string_view op);

// Everything the dispatcher reads from a line's bytes alone.
struct LineFacts {
    std::string raw;         // the bytes it was learnt from, markers included
    std::string work;        // the cleaned, trimmed text, followed by its copy in capitals
    bool markers = false;    // learnt with the editor's line markers taken off
    bool breakpoint = false; // the markers hold a breakpoint
    LineAction action = LineAction::Nothing;
    bool exit = false;      // the statement is EXIT
    bool noArg = false;     // no argument: the word may name a procedure
    bool incDec = false;    // "++" or "--" somewhere
    bool wordUpper = false; // the word lies in the copy in capitals, else in the text
    Kw keyword = Kw::None;  // when the word names no procedure
    std::uint32_t bare = 0; // length of the markers in front of the line
    std::uint32_t textLength = 0, codeLength = 0;
    std::uint32_t wordAt = 0, wordLength = 0, argAt = 0, argLength = 0;
    // Whether the word names a procedure, for the table of symbols as it was then.
    SymbolsStamp callStamp = 0;
    bool call = false;
    int callLine = 0; // the procedure's line
    // Plans of the statement, made when first needed.
    std::unique_ptr<AssignmentPlan> assignment;
    std::unique_ptr<ConditionPlan> condition;

    // Views of the parts (the offsets are those LearnLine set, within the texts).
    std::string_view Bare() const { return {raw.data() + bare, raw.size() - bare}; }
    std::string_view Text() const { return {work.data(), textLength}; }
    std::string_view Upper() const { return {work.data() + textLength, textLength}; }
    std::string_view Code() const { return {work.data(), codeLength}; }
    std::string_view Word() const {
        return {work.data() + (wordUpper ? textLength : 0) + wordAt, wordLength};
    }
    std::string_view Arg() const { return {work.data() + argAt, argLength}; }
};

// Learns a line: `source` as read from the text, `markers` whether the editor's line
// markers in front of it are to be taken off.
void LearnLine(std::string_view source, bool markers, LineFacts& facts);

class LineCache {
  public:
    // Whether two lines have the same bytes; inline, since every pass asks it of every
    // line, most of them a few words long.
    static bool SameBytes(std::string_view a, std::string_view b) {
        const std::size_t n = a.size();
        if (n != b.size()) return false;
        const char *x = a.data(), *y = b.data();
        if (n >= 8) {
            // Eight bytes at a time, the last eight overlapping the ones before.
            for (std::size_t i = 0; i + 8 < n; i += 8)
                if (Load8(x + i) != Load8(y + i)) return false;
            return Load8(x + n - 8) == Load8(y + n - 8);
        }
        if (n >= 4) return Load4(x) == Load4(y) && Load4(x + n - 4) == Load4(y + n - 4);
        for (std::size_t i = 0; i < n; ++i)
            if (x[i] != y[i]) return false;
        return true;
    }

    // A run begins on `text` (the text every look-ahead of the run reads): what depends
    // on other lines is forgotten. Ended by EndRun.
    void BeginRun(const ProgramText& text);
    void EndRun() { text_ = nullptr; }
    std::uint64_t Version() const { return version_; }
    // The symbol table of `symbols` entries in the current run (never 0).
    SymbolsStamp Stamp(int symbols) const {
        return (version_ << 16) | static_cast<std::uint64_t>(symbols);
    }

    // The facts of a line of the text, learnt afresh when its bytes changed.
    LineFacts& Facts(int line, std::string_view source, bool markers) {
        LineFacts& facts = lines_[static_cast<std::size_t>(line)];
        if (facts.markers != markers || !SameBytes(facts.raw, source)) [[unlikely]]
            LearnLine(source, markers, facts);
        return facts;
    }
    // The facts of a block's closing keyword, which the run loop injects (a static text).
    LineFacts& KeywordFacts(std::string_view keyword) {
        for (const KeywordEntry& entry : keywords_)
            if (entry.text == keyword.data() && entry.facts->raw.size() == keyword.size())
                return *entry.facts;
        return LearnKeyword(keyword);
    }

    // Look-aheads of the current run, kept by the line they start from. Known is false
    // outside a run and for another text than the run's.
    bool KnownBlockEnd(const ProgramText& text, int header, int& end) const {
        return Known(text, header, &Jumps::blockEnd, end);
    }
    void KeepBlockEnd(const ProgramText& text, int header, int end) {
        Keep(text, header, &Jumps::blockEnd, end);
    }
    bool KnownIfSkip(const ProgramText& text, int header, int& next) const {
        return Known(text, header, &Jumps::ifSkip, next);
    }
    void KeepIfSkip(const ProgramText& text, int header, int next) {
        Keep(text, header, &Jumps::ifSkip, next);
    }

  private:
    static std::uint64_t Load8(const char* p) {
        std::uint64_t v;
        std::memcpy(&v, p, 8);
        return v;
    }
    static std::uint32_t Load4(const char* p) {
        std::uint32_t v;
        std::memcpy(&v, p, 4);
        return v;
    }
    LineFacts& LearnKeyword(std::string_view keyword);
    static constexpr int kUnknown = -1; // every kept target is a line, never negative
    struct Jumps {
        int blockEnd = kUnknown; // where the block opened by the line ends
        int ifSkip = kUnknown;   // where an IF on the line goes on when false
    };
    bool Known(const ProgramText& text, int line, int Jumps::*what, int& target) const {
        if (&text != text_ || line < 0 || static_cast<std::size_t>(line) >= jumps_.size())
            return false;
        const int kept = jumps_[static_cast<std::size_t>(line)].*what;
        if (kept == kUnknown) return false;
        target = kept;
        return true;
    }
    void Keep(const ProgramText& text, int line, int Jumps::*what, int target) {
        if (&text != text_ || line < 0 || static_cast<std::size_t>(line) >= jumps_.size() ||
            target < 0)
            return;
        jumps_[static_cast<std::size_t>(line)].*what = target;
    }

    std::vector<LineFacts> lines_;
    struct KeywordEntry {
        const char* text = nullptr; // the injected keyword's static text
        std::unique_ptr<LineFacts> facts;
    };
    std::vector<KeywordEntry> keywords_;
    std::vector<Jumps> jumps_;
    const ProgramText* text_ = nullptr;
    std::uint64_t version_ = 1;
};

} // namespace vokc
