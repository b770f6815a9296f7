// Shapes of program lines, read from their text alone: the statement word, a header's
// parenthesis, a condition's operands, a call's arguments, the operators of a
// calculation. Shared by the look before the run and the advice on lines written as in
// other languages; internal to the interpreter library. Windows-1252 text throughout.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace vokc::shapes {

// The text with every character between double quotes turned into '_' (the quotes
// stay), so that a brace, a comment or an operator inside a text is not taken for code.
std::string Unquoted(std::string_view text);

// The text with its first word in lower case when that word is a statement of the
// language, which the run recognises in any case ("IF (", "Printf(", "While"): the rules
// then read one spelling. Type words are left: "Int x" declares nothing.
std::string KeywordsLowered(std::string code);

// The name that starts `text` (letters, digits, '_').
std::string_view LeadingName(std::string_view text);

// Whether `text` starts with the whole word `word`.
bool StartsWord(std::string_view text, std::string_view word);

bool Contains(std::string_view text, std::string_view part);

// Where the double quote that closes the text opened at `open` is (npos: none).
std::size_t ClosingQuote(std::string_view text, std::size_t open);

// The arguments of the call whose '(' is at `open`, split at the commas outside texts,
// each trimmed; empty when the ')' is missing.
std::vector<std::string> Arguments(std::string_view code, std::string_view text, std::size_t open);

// The first operator of a calculation outside parentheses ("n1 + n2 + n3" gives 3, the
// place of its '+'), npos when there is none. A leading sign is no operator.
std::size_t FirstOperator(std::string_view text, std::size_t from = 1);

// The places of the operators of the calculation `text` (a value after '='): outside
// texts, characters and parentheses; a sign that starts an operand is no operator.
std::vector<std::size_t> Operators(std::string_view text);

// Whether `text` holds the name `name` as a whole word.
bool HasName(std::string_view text, std::string_view name);

// A text written in UTF-8 in the sources, in Windows-1252.
std::string W(std::string_view utf8);

enum class Kind { If, For, While, DoEnd, Other };

// The statements a header's parenthesis holds: "for (i=1; i<=3; i++)" gives its three
// parts. Empty when the line is no such header.
struct Header {
    Kind kind = Kind::Other;
    std::string inside; // between the first '(' and its matching ')'
    std::string after;  // what follows that ')', trimmed
};

Header ReadHeader(std::string_view code);

// A condition "a OP b": its two operands and its operator (empty when there is none).
struct Condition {
    std::string left, op, right;
};

Condition ReadCondition(std::string_view text);

// The names a condition compares (numbers, texts and characters aside).
std::vector<std::string> ConditionNames(const Condition& c);

} // namespace vokc::shapes
