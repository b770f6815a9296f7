// The editor's logic that needs no window.
#include "editorlogic.h"

#include "text.h"

namespace vokc::editor {

Lines DefaultProgram() {
    return {u"#include <stdio.h>",
            u"#include <stdlib.h>",
            u"int i;",
            u"float r;",
            u"char c;",
            u"main()",
            u"{",
            u"",
            u"}"};
}

std::string FileNamePart(const std::string& path) {
    std::size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string SaveAsName(const std::string& chosenPath) {
    std::size_t slash = chosenPath.find_last_of('/');
    std::size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    std::size_t dot = chosenPath.find('.', nameStart);
    std::string result = dot == std::string::npos ? chosenPath : chosenPath.substr(0, dot);
    return result + ".c";
}

char16_t UpperLocale(char16_t c) {
    if (c >= u'a' && c <= u'z') return static_cast<char16_t>(c - 32);
    if (c < 0x80) return c;
    if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return static_cast<char16_t>(c - 0x20);
    if (c == 0xFF) return 0x178;
    // Latin Extended-A pairs its capitals and small letters one code apart.
    if ((c >= 0x100 && c <= 0x137) || (c >= 0x14A && c <= 0x177))
        return (c & 1) ? static_cast<char16_t>(c - 1) : c;
    if ((c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E))
        return (c & 1) ? c : static_cast<char16_t>(c - 1);
    return c;
}

bool IsWordDelimiter(char16_t c) {
    return !((c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z'));
}

std::optional<std::size_t> SearchBuf(TextView buffer, std::size_t selStart, std::size_t selLength,
                                     TextView text, const SearchOptions& options) {
    const long n = static_cast<long>(buffer.size());
    const long len = static_cast<long>(text.size());
    if (n <= 0 || len == 0) return std::nullopt;
    Text wanted(text);
    if (!options.matchCase)
        for (char16_t& c : wanted)
            c = UpperLocale(c);
    auto map = [&](long p) { return options.matchCase ? buffer[p] : UpperLocale(buffer[p]); };
    auto delimiterAt = [&](long p) { return p >= n || IsWordDelimiter(buffer[p]); };

    long start, count;
    const long step = options.down ? 1 : -1;
    if (options.down) {
        start = static_cast<long>(selStart + selLength);
        count = n - len - start + 1;
    } else {
        start = static_cast<long>(selStart) - len;
        count = start + 1;
    }
    if (start < 0 || start > n || count <= 0) return std::nullopt;
    long p = start;
    while (count > 0) {
        if (options.wholeWord) {
            // Move to the next word start; each character passed uses up one candidate.
            if (options.down) {
                while (count > 0 && !IsWordDelimiter(buffer[p]))
                    ++p, --count;
                while (count > 0 && IsWordDelimiter(buffer[p]))
                    ++p, --count;
                if (count <= 0) return std::nullopt;
            } else {
                while (count > 0 && IsWordDelimiter(buffer[p]))
                    --p, --count;
                if (count <= 0) return std::nullopt;
                while (count > 0 && !IsWordDelimiter(buffer[p]))
                    --p, --count;
                ++p; // back onto the word's first character (a word at offset 0 included)
                ++count;
            }
        }
        bool match = p + len <= n;
        for (long i = 0; match && i < len; ++i)
            match = map(p + i) == wanted[i];
        if (match && (!options.wholeWord || delimiterAt(p + len)))
            return static_cast<std::size_t>(p);
        p += step;
        --count;
    }
    return std::nullopt;
}

Text JoinLines(const Lines& lines) {
    Text all;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i) all += u"\r\n";
        all += lines[i];
    }
    return all;
}

std::size_t LineStart(const Lines& lines, std::size_t line) {
    std::size_t offset = 0;
    for (std::size_t i = 0; i < line && i < lines.size(); ++i)
        offset += lines[i].size() + 2;
    return offset;
}

std::optional<Text> AutoIndent(const Lines& lines, long caret) {
    long total = 0;
    std::size_t walked = 0;
    for (const Text& line : lines) {
        total += static_cast<long>(line.size()) + 2;
        ++walked;
        if (total >= caret - 1) break;
    }
    if (walked <= 1) return std::nullopt;
    const Text& reference = lines[walked - 1];
    std::size_t k = 0;
    while (k < reference.size() && k < 255 && (reference[k] == u' ' || reference[k] == u'\t'))
        ++k;
    return reference.substr(0, k);
}

Lines ProcedureItems(const Lines& lines) {
    Lines items;
    for (const Text& line : lines) {
        std::size_t k = 0;
        while (k < line.size() && (line[k] == u' ' || line[k] == u'\t'))
            ++k;
        Text rest = line.substr(k);
        if (rest.size() < 4) continue;
        bool isVoid = true;
        for (std::size_t i = 0; i < 4; ++i)
            isVoid = isVoid && UpperLocale(rest[i]) == u"VOID"[i];
        if (isVoid) items.push_back(rest);
    }
    return items;
}

std::optional<std::size_t> LineContaining(const Lines& lines, TextView item) {
    for (std::size_t i = 0; i < lines.size(); ++i)
        if (lines[i].find(item) != Text::npos) return i;
    return std::nullopt;
}

std::vector<std::size_t> StepMarkerPositions(TextView line) {
    std::vector<std::size_t> found;
    bool inString = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
        if (line[i] == u'"')
            inString = !inString;
        else if (line[i] == kStepMarkerUtf16 && !inString)
            found.push_back(i);
    }
    return found;
}

bool RemoveStepMarkers(Lines& lines) {
    bool changed = false;
    for (Text& line : lines) {
        const std::vector<std::size_t> found = StepMarkerPositions(line);
        // From the end, so that the earlier positions stay put.
        for (auto it = found.rbegin(); it != found.rend(); ++it)
            line.erase(*it, 1);
        changed = changed || !found.empty();
    }
    return changed;
}

Lines DecodeProgramFile(const std::string& bytes, FileFormat& format) {
    ProgramFormat read;
    const std::vector<std::string_view> raw = SplitProgramFile(bytes, read);
    format.encoding = read.utf8 ? Encoding::Utf8 : Encoding::Windows1252;
    format.lineEnd = read.lineEnd;
    format.utf8Bom = read.byteOrderMark;
    format.finalLineEnd = bytes.empty() || bytes.back() == '\n' || bytes.back() == '\r' ||
                          (read.byteOrderMark && bytes.size() == kUtf8Bom.size());
    Lines lines;
    lines.reserve(raw.size());
    for (std::string_view line : raw)
        lines.push_back(read.utf8 ? Utf8ToUtf16(line) : Cp1252ToUtf16(line));
    return lines;
}

bool EncodeProgramFile(const Lines& lines, const FileFormat& format, std::string& bytes) {
    bytes.clear();
    const char* end = format.lineEnd == LineEnd::CrLf ? "\r\n"
                      : format.lineEnd == LineEnd::Lf ? "\n"
                                                      : "\r";
    bool lossless = true;
    if (format.encoding == Encoding::Utf8 && format.utf8Bom) bytes += kUtf8Bom;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const Text& line = lines[i];
        if (format.encoding == Encoding::Utf8) {
            bytes += Utf16ToUtf8(line);
        } else {
            std::string cp = Utf16ToCp1252(line);
            Text back = Cp1252ToUtf16(cp);
            if (back != line) lossless = false;
            bytes += cp;
        }
        if (format.finalLineEnd || i + 1 < lines.size()) bytes += end;
    }
    return lossless;
}

void EditHistory::record(State before, bool continuesLast) {
    redo_.clear();
    if (continuesLast && !undo_.empty()) return;
    undo_.push_back(std::move(before));
    if (undo_.size() > kLimit) undo_.erase(undo_.begin());
}

std::optional<EditHistory::State> EditHistory::undo(State current) {
    if (undo_.empty()) return std::nullopt;
    State shown = std::move(undo_.back());
    undo_.pop_back();
    redo_.push_back(std::move(current));
    return shown;
}

std::optional<EditHistory::State> EditHistory::redo(State current) {
    if (redo_.empty()) return std::nullopt;
    State shown = std::move(redo_.back());
    redo_.pop_back();
    undo_.push_back(std::move(current));
    return shown;
}

void EditHistory::clear() {
    undo_.clear();
    redo_.clear();
}

namespace {
bool IsLineMarker(char16_t c) {
    return c == kStepMarkerUtf16 || c == kBreakMarkerUtf16;
}

// The line's characters without its markers, from the start or (backwards) from the end.
class Unmarked {
  public:
    Unmarked(TextView line, bool backwards) : line_(line), backwards_(backwards) { skip(); }
    bool done() const { return at_ >= line_.size(); }
    char16_t get() const { return line_[backwards_ ? line_.size() - 1 - at_ : at_]; }
    void next() {
        ++at_;
        skip();
    }

  private:
    void skip() {
        while (!done() && IsLineMarker(get()))
            ++at_;
    }
    TextView line_;
    bool backwards_;
    std::size_t at_ = 0;
};

bool SameLine(TextView a, TextView b) {
    Unmarked x(a, false), y(b, false);
    for (; !x.done() && !y.done(); x.next(), y.next())
        if (x.get() != y.get()) return false;
    return x.done() && y.done();
}

// Whether the two lines begin (or end) with the same text, blanks aside.
bool ShareText(TextView a, TextView b, bool atEnd) {
    Unmarked x(a, atEnd), y(b, atEnd);
    for (; !x.done() && !y.done() && x.get() == y.get(); x.next(), y.next())
        if (x.get() > u' ') return true;
    return false;
}
} // namespace

LineEdit LinesEdited(const Lines& before, const Lines& after, Lines* origins) {
    const std::size_t n = before.size(), m = after.size();
    if (origins && origins->size() != n) *origins = before;
    std::size_t same = 0;
    while (same < n && same < m && SameLine(before[same], after[same]))
        ++same;
    std::size_t tail = 0;
    while (tail < n - same && tail < m - same &&
           SameLine(before[n - 1 - tail], after[m - 1 - tail]))
        ++tail;
    const int first = static_cast<int>(same);
    const int removed = static_cast<int>(n - same - tail);
    const int inserted = static_cast<int>(m - same - tail);
    LineEdit edit;
    edit.changed = removed != 0 || inserted != 0;
    if (!edit.changed || removed == inserted) {
        // Lines changed where they stand keep what they were before.
        edit.move.first = first;
        return edit;
    }
    edit.move = {first, removed, inserted};
    bool keepsFirst = false, keepsLast = false;
    if (removed > 0 && inserted > 0) {
        // A line split or joined is the part that holds its text as it was before its
        // changes (typed at the start of a line, then Enter: the line is the second
        // part), else as it is now.
        const TextView firstWas = origins ? TextView((*origins)[same]) : TextView(before[same]);
        const TextView lastWas =
            origins ? TextView((*origins)[n - 1 - tail]) : TextView(before[n - 1 - tail]);
        const TextView firstNow = after[same], lastNow = after[m - 1 - tail];
        if (ShareText(firstWas, firstNow, false))
            keepsFirst = true;
        else if (ShareText(lastWas, lastNow, true))
            keepsLast = true;
        else if (ShareText(before[same], firstNow, false))
            keepsFirst = true;
        else if (ShareText(before[n - 1 - tail], lastNow, true))
            keepsLast = true;
        if (keepsFirst) edit.move = {first + 1, removed - 1, inserted - 1};
        if (keepsLast) edit.move = {first, removed - 1, inserted - 1};
    }
    if (origins) {
        Lines next(m);
        for (std::size_t j = 0; j < m; ++j) {
            if (j < same)
                next[j] = std::move((*origins)[j]);
            else if (j >= m - tail)
                next[j] = std::move((*origins)[j + n - m]);
            else if (keepsFirst && j == same)
                next[j] = std::move((*origins)[same]);
            else if (keepsLast && j == m - 1 - tail)
                next[j] = std::move((*origins)[n - 1 - tail]);
            else
                next[j] = after[j];
        }
        origins->swap(next);
    }
    return edit;
}

} // namespace vokc::editor
