// Skeleton texts of the generators, their caret placement and the picker's words.
#include "skeletons.h"

namespace vokc {

namespace {

constexpr std::u16string_view kCrLf = u"\r\n";
// "{", an empty line and "}": the body every skeleton opens for the user.
constexpr std::u16string_view kEmptyBlock = u"{\r\n\r\n}";

// The condition "A O B", or nothing when the skeleton must stay empty.
std::optional<SkeletonText> Condition(const ConditionFields& fields, bool confirmed) {
    const std::u16string_view op = ConditionOperator(fields.operatorIndex);
    if (!confirmed || op.empty() || fields.operand1.empty()) return std::nullopt;
    SkeletonText cond = fields.operand1;
    cond += op;
    cond += fields.operand2;
    return cond;
}

// A caret offset never goes before the start of the text.
long NotBeforeStart(long offset) {
    return offset < 0 ? 0 : offset;
}

long EndOf(const SkeletonText& text, long selStart) {
    return selStart + static_cast<long>(text.size());
}

// The text replaces the selection; after a skeleton the caret goes `back` characters
// back from its end. An empty text (cancel, incomplete input) leaves the caret after
// the place where the selection was.
Insertion ReplaceAndStepBack(SkeletonText text, bool confirmed, long selStart, long back) {
    Insertion ins;
    ins.edit = true;
    if (confirmed && !text.empty()) ins.caret = NotBeforeStart(EndOf(text, selStart) - back);
    ins.text = std::move(text);
    return ins;
}

} // namespace

std::u16string_view ConditionOperator(int operatorIndex) {
    static constexpr std::u16string_view kOperators[] = {u"==", u"<", u">", u"<=", u">=", u"!="};
    if (operatorIndex < 0 || operatorIndex >= 6) return {};
    return kOperators[operatorIndex];
}

SkeletonText ForSkeleton(const ForFields& f, bool confirmed) {
    if (!confirmed || f.counter.empty()) return {};
    const std::u16string_view compare = f.descending ? u">=" : u"<=";
    const std::u16string_view step = f.descending ? u"--" : u"++";
    SkeletonText t = u"For (";
    t += f.counter;
    t += u'=';
    t += f.initial;
    t += u"; ";
    t += f.counter;
    t += compare;
    t += f.final;
    t += u"; ";
    t += f.counter;
    t += step;
    t += u')';
    t += kCrLf;
    t += kEmptyBlock;
    return t;
}

SkeletonText WhileSkeleton(const ConditionFields& fields, bool confirmed) {
    const auto cond = Condition(fields, confirmed);
    if (!cond) return {};
    SkeletonText t = u"While (";
    t += *cond;
    t += u')';
    t += kCrLf;
    t += kEmptyBlock;
    return t;
}

SkeletonText DoSkeleton(const ConditionFields& fields, bool confirmed) {
    const auto cond = Condition(fields, confirmed);
    if (!cond) return {};
    SkeletonText t = u"Do";
    t += kCrLf;
    t += kEmptyBlock;
    t += kCrLf;
    t += u"While (";
    t += *cond;
    t += u");";
    return t;
}

SkeletonText IfSkeleton(const ConditionFields& fields, bool withElse, bool confirmed) {
    const auto cond = Condition(fields, confirmed);
    if (!cond) return {};
    SkeletonText t = u"If (";
    t += *cond;
    t += u')';
    t += kCrLf;
    t += kEmptyBlock;
    if (withElse) {
        t += kCrLf;
        t += u"Else";
        t += kCrLf;
        t += kEmptyBlock;
    }
    return t;
}

SkeletonText FileSkeleton(const FileFields& f, bool confirmed) {
    if (!confirmed) return {};
    const std::u16string_view mode = f.mode == kFileWrite ? u"w+t" : u"r+t";
    SkeletonText t = f.variable;
    t += u"=Fopen(\"";
    t += f.fileName;
    t += u"\",\"";
    t += mode;
    t += u"\");";
    t += kCrLf;
    t += kCrLf;
    t += u"Fclose(";
    t += f.variable;
    t += u");";
    return t;
}

Insertion ForInsertion(SkeletonText text, bool confirmed, long selStart) {
    return ReplaceAndStepBack(std::move(text), confirmed, selStart, 2);
}

Insertion WhileInsertion(SkeletonText text, bool confirmed, long selStart) {
    return ReplaceAndStepBack(std::move(text), confirmed, selStart, 2);
}

Insertion DoInsertion(SkeletonText text, bool confirmed, long selStart) {
    Insertion ins;
    ins.edit = true;
    // "Do" CR LF "{" CR LF: the caret lands at the start of the empty line.
    if (confirmed && !text.empty()) ins.caret = selStart + 7;
    ins.text = std::move(text);
    return ins;
}

Insertion IfInsertion(SkeletonText text, bool confirmed, long selStart) {
    if (!confirmed) return {};
    // 15 = "}" CR LF "Else" CR LF "{" CR LF CR LF: from the end of the first block's
    // empty line to 2 before the end of the whole text.
    const long back = text.find(u"Else") != SkeletonText::npos ? 17 : 2;
    return ReplaceAndStepBack(std::move(text), confirmed, selStart, back);
}

Insertion FileInsertion(SkeletonText text, bool confirmed, long selStart) {
    // With k the 1-based position of the first "Fclose", going back length - k + 2
    // lands between the CR and the LF that end the empty line.
    const std::size_t at = text.find(u"Fclose");
    const long back = at == SkeletonText::npos ? 0 : static_cast<long>(text.size() - at) + 1;
    return ReplaceAndStepBack(std::move(text), confirmed, selStart, back);
}

Insertion KeywordInsertion(SkeletonText keyword) {
    Insertion ins;
    ins.edit = !keyword.empty();
    ins.text = std::move(keyword);
    return ins;
}

const std::array<std::string_view, kKeywordCount>& Keywords() {
    static constexpr std::array<std::string_view, kKeywordCount> kWords = {"--",
                                                                           "#",
                                                                           "{",
                                                                           "}",
                                                                           "++",
                                                                           "abs",
                                                                           "atoi",
                                                                           "break",
                                                                           "catestring",
                                                                           "ceil",
                                                                           "char",
                                                                           "chdir",
                                                                           "clrscr",
                                                                           "cos",
                                                                           "currentdate()",
                                                                           "currenttime()",
                                                                           "do",
                                                                           "eabs",
                                                                           "else",
                                                                           "exit",
                                                                           "exp",
                                                                           "fclose",
                                                                           "feof",
                                                                           "fgets",
                                                                           "float",
                                                                           "fopen",
                                                                           "for",
                                                                           "fputs",
                                                                           "gets",
                                                                           "if",
                                                                           "int",
                                                                           "itoa",
                                                                           "log",
                                                                           "main()",
                                                                           "mkdir",
                                                                           "printf",
                                                                           "puts",
                                                                           "random",
                                                                           "randomize",
                                                                           "return",
                                                                           "rmdir",
                                                                           "scanf",
                                                                           "sin",
                                                                           "sqrt",
                                                                           "strcat",
                                                                           "strchr",
                                                                           "strcmp",
                                                                           "strcpy",
                                                                           "strlen",
                                                                           "strncat",
                                                                           "strncpy",
                                                                           "timestring",
                                                                           "tolower",
                                                                           "toupper",
                                                                           "void"};
    return kWords;
}

} // namespace vokc
