// ColourMemo: the colouring pass. It copies the lines to colour into a snapshot, lets the
// built-in scans and the rules store their spans, resolves them into runs and gives each
// shown line the runs that fall on it as the formats of its layout.
#include "colour_memo.h"

#include <QScopeGuard>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>

#include <algorithm>
#include <cstring>

namespace vokc {

namespace {

Colour ToColour(const QColor& c) {
    return static_cast<Colour>(c.red()) | static_cast<Colour>(c.green()) << 8 |
           static_cast<Colour>(c.blue()) << 16;
}

} // namespace

// ---------------------------------------------------------------------------------------
// The colouring pass

bool ColourMemo::colourable() const {
    return isEnabled() && isVisible() && parentWidget() != nullptr &&
           (colourRules_.count() > 0 || hotSpot_.active);
}

// The blocks at least partly inside the viewport, top to bottom, each with the top of its
// text and the height of its lines.
void ColourMemo::shownBlocks(std::vector<ShownBlock>& out) const {
    out.clear();
    forEachShownBlock([&out](const QTextBlock& b, const QRectF& r) {
        if (!b.isVisible()) return;
        const QTextLayout* l = b.layout();
        const qreal height = l->lineCount() > 0 ? l->boundingRect().height() : r.height();
        out.push_back({b.blockNumber(), r.top(), height});
    });
}

void ColourMemo::recolourPass(bool fastRecolour) {
    // Applying formats can scroll or resize, which asks for a pass again: that request is
    // served by one more full pass once this one is done.
    if (inPass_) {
        passAgain_ = true;
        return;
    }
    inPass_ = true;
    const auto done = qScopeGuard([this] {
        inPass_ = false;
        passAgain_ = false;
    });
    pass(fastRecolour);
    for (int again = 0; passAgain_ && again < 2; ++again) {
        passAgain_ = false;
        pass(false);
    }
}

void ColourMemo::pass(bool fastRecolour) {
    if (!colourable()) {
        region_ = {};
        if (isVisible()) clearShownLines();
        return;
    }
    ensureMirror();
    const QTextDocument* doc = document();
    const int lines = doc->blockCount();
    const qreal bottom = viewport()->height();
    shownBlocks(shown_);
    // A line is coloured when its top is in view: the last line, partly shown at the
    // bottom, too, so that no line the student sees stays plain after a scroll.
    const auto shownFromTop = [&](int number) {
        if (shown_.empty()) return false;
        const int i = number - shown_.front().number;
        if (i < 0 || i >= static_cast<int>(shown_.size())) return false;
        const ShownBlock& shown = shown_[static_cast<std::size_t>(i)];
        return shown.number == number && shown.top >= 0 && shown.top < bottom;
    };

    // The lines to colour: F and at most wanted lines after it, as long as they are shown.
    int first = 0, wanted = 0;
    if (fastRecolour) {
        first = textCursor().blockNumber();
        wanted = 1;
    } else if (!shown_.empty()) {
        // A wrapped block scrolled partly out at the top is not fully shown.
        first = shown_.front().number + (shown_.front().top < 0 ? 1 : 0);
        wanted = lines - first;
    } else {
        first = lines;
    }
    int end = first;
    while (end < first + wanted && shownFromTop(end))
        ++end;
    bool allShown = wanted > 0 && end == first + wanted;
    // The look-back of the first rule, which starts spans that open above the region.
    int from = first;
    if (colourRules_.count() > 0 && first > 0) {
        const std::int64_t height = std::max<std::int32_t>(1, colourRules_[0].lookBackLines());
        from = static_cast<int>(std::max<std::int64_t>(0, std::int64_t{first} - (height - 1)));
    }
    from = std::min(from, lines);

    // The snapshot: lines `from` to `end` - 1 with CR LF after each, a NUL at the region
    // end.
    window_.clear();
    std::int64_t length = 0;
    QTextBlock b = doc->findBlockByNumber(from);
    for (int l = from; l < end && b.isValid(); ++l, b = b.next()) {
        window_.push_back({b.position(), b.length() - 1, static_cast<std::int32_t>(length)});
        length += b.length() + 1;
    }
    if (length >= kUnusedPos - 2) { // beyond what 32-bit offsets can colour: nothing is
        window_.clear();            // scanned and no line is coloured
        length = 0;
        end = first;
        allShown = false;
    }
    const auto len = static_cast<std::size_t>(length);
    if (snapshot_.capacity() < len + 3) {
        std::string().swap(snapshot_);
        snapshot_.reserve(len + 1024);
    }
    snapshot_.resize(len + 1);
    for (const WindowLine& line : window_) {
        char* d = snapshot_.data() + line.snapStart;
        std::memcpy(d, mirror_.data() + line.docPos, static_cast<std::size_t>(line.length));
        std::replace(d, d + line.length, '\0', ' '); // a NUL in the text would end the scans
        d[line.length] = '\r';
        d[line.length + 1] = '\n';
    }
    snapshot_[len] = '\0';
    limit_ = allShown && len > 0 ? window_.back().snapStart + window_.back().length
                                 : static_cast<std::int32_t>(len);
    snapshot_[static_cast<std::size_t>(limit_)] = '\0';
    base_ = from < lines ? lineStartOffset(from) : 0;
    const std::string_view snapshot(snapshot_.data(), len + 1);

    list_.beginPass();
    std::int32_t next = 0;
    if (hotSpot_.active && hotSpot_.beginChar != 0) next = storeHotSpots(next, limit_);
    if (!tabChangesFocus()) { // tab characters are text
        const Colour background = ToColour(palette().color(QPalette::Base));
        for (std::int32_t i = 0; i < limit_; ++i)
            if (snapshot_[static_cast<std::size_t>(i)] == '\t')
                next = list_.store(next, i, i, background, 255, 0);
    }
    const QTextCursor caret = textCursor();
    if (redrawAlways_) {
        const std::int64_t caretAt = textOffset(caret.position());
        next = storeClipped(next, lineStartOffset(caret.blockNumber()) - base_, caretAt - base_,
                            ToColour(palette().color(QPalette::Text)), 0);
    }
    for (std::int32_t i = 0; i < colourRules_.count(); ++i)
        if (colourRules_[i].isEnabled())
            next = ScanRule(colourRules_[i], next, snapshot, list_, limit_, 0);
    if (caret.hasSelection()) {
        const std::int64_t selFrom = textOffset(caret.selectionStart());
        const std::int64_t selTo = textOffset(caret.selectionEnd());
        next = storeClipped(next, selFrom - base_, selTo - 1 - base_, kRed, 254);
    }
    ResolveRuns(list_, list_.colouredRange(), cells_);

    // The lines `first` to `end` - 1 show their runs; the other shown lines are plain.
    region_ = {first, end - first};
    nextRun_ = 0;
    if (fastRecolour) {
        const QTextBlock lineBlock = doc->findBlockByNumber(first);
        if (end > first && first - from < static_cast<int>(window_.size()))
            applyRuns(lineBlock, window_[static_cast<std::size_t>(first - from)].snapStart);
        else
            clearLine(lineBlock);
        return;
    }
    for (const ShownBlock& shownBlock : shown_) {
        const QTextBlock lineBlock = doc->findBlockByNumber(shownBlock.number);
        if (shownBlock.number >= first && shownBlock.number < end &&
            shownBlock.number - from < static_cast<int>(window_.size()))
            applyRuns(lineBlock,
                      window_[static_cast<std::size_t>(shownBlock.number - from)].snapStart);
        else
            clearLine(lineBlock);
    }
}

// Stores a span over [start, end] (snapshot offsets) clipped to the snapshot.
std::int32_t ColourMemo::storeClipped(std::int32_t next, std::int64_t start, std::int64_t end,
                                      Colour colour, std::uint8_t priority) {
    const auto last = static_cast<std::int64_t>(snapshot_.size()) - 2;
    start = std::max<std::int64_t>(start, 0);
    end = std::min<std::int64_t>(end, last);
    if (start > end) return next;
    return list_.store(next, static_cast<std::int32_t>(start), static_cast<std::int32_t>(end),
                       colour, priority, 0);
}

// Hot spots up to the limit: the begin marker, the text and the end marker, as three
// spans. A begin marker without an end marker before the limit colours nothing and ends
// the scan.
std::int32_t ColourMemo::storeHotSpots(std::int32_t next, std::int32_t limit) {
    const char* text = snapshot_.data();
    std::int32_t p = 0;
    while (p < limit) {
        const void* begin =
            std::memchr(text + p, hotSpot_.beginChar, static_cast<std::size_t>(limit - p));
        if (!begin) break;
        const auto at = static_cast<std::int32_t>(static_cast<const char*>(begin) - text);
        next = list_.store(next, at, at, hotSpot_.markerColour, 253, 0);
        const void* end = at + 1 < limit ? std::memchr(text + at + 1, hotSpot_.endChar,
                                                       static_cast<std::size_t>(limit - at - 1))
                                         : nullptr;
        if (!end) {
            list_[next - 1].start = kUnusedPos;
            break;
        }
        const auto endAt = static_cast<std::int32_t>(static_cast<const char*>(end) - text);
        next = list_.store(next, at + 1, endAt - 1, hotSpot_.colour, 252, 0);
        next = list_.store(next, endAt, endAt, hotSpot_.markerColour, 253, 0);
        p = endAt + 1;
    }
    return next;
}

// Gives a line the runs that fall on it, from the snapshot offset of its first character.
// Runs come in ascending order and lines are applied top to bottom, so the search for a
// line's first run starts where the previous line's did.
void ColourMemo::applyRuns(const QTextBlock& block, std::int32_t snapStart) {
    lineRuns_.clear();
    const std::int32_t lineEnd = snapStart + block.length() - 1; // its CR LF excluded
    const std::int32_t count = list_.count();
    while (nextRun_ < count && list_[nextRun_].start != kUnusedPos &&
           list_[nextRun_].end < snapStart)
        ++nextRun_;
    for (std::int32_t i = nextRun_; i < count; ++i) {
        const ColourSpan& r = list_[i];
        if (r.start == kUnusedPos || r.start >= lineEnd) break;
        if (r.start < 0 || r.end == kUnusedPos || r.priority == 254 || r.priority == 255)
            continue; // the selection and tab characters keep the plain drawing
        const std::int32_t from = std::max(r.start, snapStart);
        const std::int32_t to = std::min(r.end + 1, lineEnd);
        if (from >= to) continue;
        RunKind kind = RunKind::Plain;
        if (r.isKeyword == 1 && onDrawKey_)
            kind = RunKind::Handler;
        else if (r.priority == 253)
            kind = RunKind::Marker;
        else if (r.priority == 252 && hotSpot_.underlined)
            kind = RunKind::HotText;
        lineRuns_.push_back({from - snapStart, to - from, toQColor(r.colour).rgb(), kind});
    }
    applyLineRuns(block, lineRuns_);
}

void ColourMemo::clearLine(const QTextBlock& block) {
    lineRuns_.clear();
    applyLineRuns(block, lineRuns_);
}

void ColourMemo::clearShownLines() {
    shownBlocks(shown_);
    const QTextDocument* doc = document();
    for (const ShownBlock& shownBlock : shown_)
        clearLine(doc->findBlockByNumber(shownBlock.number));
}

// Sets a line's layout formats to its runs, unless it already shows them.
void ColourMemo::applyLineRuns(const QTextBlock& block, const std::vector<LineRun>& runs) {
    if (!block.isValid()) return;
    QTextBlock lineBlock = block;
    auto* shown = dynamic_cast<LineColours*>(lineBlock.userData());
    if (!shown) {
        if (runs.empty()) return;
        shown = new LineColours;
        lineBlock.setUserData(shown);
    } else if (shown->runs == runs) {
        return;
    }
    QList<QTextLayout::FormatRange> formats;
    formats.reserve(static_cast<qsizetype>(runs.size()));
    for (const LineRun& r : runs) {
        if (r.kind == RunKind::Handler) continue; // onDrawKey_ draws it over the plain text
        QTextCharFormat format;
        format.setForeground(QColor::fromRgb(r.colour));
        if (r.kind == RunKind::Marker) format.setBackground(QColor::fromRgb(r.colour));
        if (r.kind == RunKind::HotText) format.setFontUnderline(true);
        formats.append({r.start, r.length, format});
    }
    lineBlock.layout()->setFormats(formats);
    shown->runs = runs;
    document()->markContentsDirty(lineBlock.position(), lineBlock.length());
}

} // namespace vokc
