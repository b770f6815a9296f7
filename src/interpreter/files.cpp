// Text files, the printer and directories for interpreted programs: fopen, fputs,
// fgets, fclose, the end-of-file test, mkdir, rmdir and chdir.
//
// A file variable owns one slot. Reading keeps one character of look-ahead, so the end
// of the file is known as soon as its last line has been read: a `while (!feof(f))`
// loop reads every line exactly once, and an empty file is at its end at once.
// Lines are written with CR LF; a line read loses its CR LF, LF or CR.
// Texts inside the interpreter are Windows-1252; files are written in UTF-8, and a
// line read is taken as UTF-8 when it is valid UTF-8, as Windows-1252 otherwise.
// File and directory names go to the system in UTF-8, relative to the current
// directory. The printer is the host's: `PRN:` as a file name starts a print job.
#include <cerrno>
#include <filesystem>
#include <system_error>

#include "engine.h"
#include "messages.h"
#include "text.h"

namespace vokc {

namespace fs = std::filesystem;

namespace {
constexpr std::string_view kPrinterName = "PRN:";

bool HasHighByte(std::string_view text) {
    for (char c : text)
        if (static_cast<unsigned char>(c) >= 0x80) return true;
    return false;
}

// The system's form of a name; false when the name cannot be passed on (a NUL byte
// would silently cut it).
bool SystemPath(std::string_view name, fs::path& path) {
    if (name.empty() || name.find('\0') != std::string_view::npos) return false;
    path = fs::path(Cp1252ToUtf8(name));
    return true;
}
} // namespace

// ---- Slots ----

std::int32_t Engine::FileSlotOf(std::string_view name) {
    SymbolKind kind = SymbolKind::None;
    std::int32_t index = 0;
    if (!FindSymbol(name, kind, index)) return 0;
    if (kind != SymbolKind::File || index < 1 || index > kFileSlots) return -1;
    return index;
}

bool Engine::OpenSlot(FileSlot& slot, FileSlot::Mode mode) {
    fs::path path;
    if (!SystemPath(slot.name, path)) return false;
    if (!host_.PathAllowed(path.native(),
                           mode == FileSlot::Mode::Read ? PathUse::Read : PathUse::Write))
        return false;
    std::error_code ec;
    if (fs::is_directory(path, ec)) return false; // a directory opens but cannot be read
    slot.handle = std::fopen(path.c_str(), mode == FileSlot::Mode::Read ? "rb" : "wb");
    if (!slot.handle) return false;
    slot.mode = mode;
    slot.lookahead = mode == FileSlot::Mode::Read ? std::fgetc(slot.handle) : EOF;
    slot.atStart = true;
    return true;
}

int Engine::CloseSlot(FileSlot& slot) {
    int code = 0;
    if (slot.handle) {
        errno = 0;
        if (std::fclose(slot.handle) != 0) code = errno > 0 ? errno : EIO;
    }
    slot.handle = nullptr;
    slot.mode = FileSlot::Mode::Closed;
    slot.lookahead = EOF;
    return code;
}

void Engine::ReadLine(FileSlot& slot, std::string& out) {
    out.clear();
    if (slot.mode != FileSlot::Mode::Read || !slot.handle) return;
    int c = slot.lookahead;
    // A line too long for any text is read only in part: the bytes of the longest text in
    // UTF-8 (4 bytes a character) and one more, so that what is read is still refused.
    // The rest is left for the next read; a line without end (a device) cannot hold the
    // run.
    while (c != EOF && c != '\r' && c != '\n' && out.size() <= 4 * kTextMax) {
        out.push_back(static_cast<char>(c));
        c = std::fgetc(slot.handle);
    }
    if (c == '\r') {
        c = std::fgetc(slot.handle);
        if (c == '\n') c = std::fgetc(slot.handle);
    } else if (c == '\n') {
        c = std::fgetc(slot.handle);
    }
    slot.lookahead = c;
    if (slot.atStart && StartsWith(out, "\xEF\xBB\xBF")) out.erase(0, 3); // UTF-8 mark
    slot.atStart = false;
    if (HasHighByte(out) && IsValidUtf8(out)) out = Utf8ToCp1252(out);
}

// ---- Statements ----

// f=fopen("name","mode"): binds f to the name and opens it for reading (mode starting
// with r) or writing (w: created or emptied); any other mode leaves f bound but closed.
// A slot already open is closed first. fopen(PRN:,...) with PRN: unquoted starts a
// print job instead, and f is not used. The mode may be a literal or a string
// variable; its case does not matter.
void Engine::Fopen(std::string_view statement) {
    runState_ = RunState::Running;
    std::string_view s = Trim(statement);
    if (!s.empty() && s.back() == ';') s = Trim(DropLast(s));
    std::size_t equals = s.find('=');
    std::size_t paren = s.find('(');
    if (equals == std::string_view::npos || paren == std::string_view::npos)
        return Fail(Cp(msg::kErreurSyntaxe));
    std::string_view variable = Trim(s.substr(0, equals));
    std::string_view args = s.substr(paren + 1);
    std::size_t comma = args.find(',');
    if (comma == std::string_view::npos) return Fail(Cp(msg::kErreurSyntaxe));
    std::string_view nameText = Trim(args.substr(0, comma));
    std::string_view modeText = DropLast(Trim(args.substr(comma + 1)));

    if (EqualsNoCase(nameText, kPrinterName)) {
        if (printerOpen_) host_.EndPrint(); // a new job ends the one still open
        printerOpen_ = host_.BeginPrint();
        if (!printerOpen_) Fail(Cp(msg::kErreurEntreeSortie));
        return;
    }
    StringOperand(nameText, fileText_);
    if (runState_ != RunState::Running) return;
    StringOperand(modeText, strArg_);
    if (runState_ != RunState::Running) return;
    const char mode = strArg_.empty() ? '\0' : UpperAscii(strArg_[0]);
    std::int32_t index = FileSlotOf(variable);
    if (index <= 0) return Fail(Cp(msg::kVariableFichierAttendue));
    FileSlot& slot = files_[index];
    CloseSlot(slot);
    slot.name = fileText_;
    if (mode == 'R' || mode == 'W') {
        if (!OpenSlot(slot, mode == 'R' ? FileSlot::Mode::Read : FileSlot::Mode::Write))
            Fail(Cp(msg::kErreurEntreeSortie));
    }
}

// fputs(text, f) / fputs(text, PRN:): writes the text of one operand of any kind and a
// line end. A missing comma or a variable that is not a file is refused; writing to a
// file that is not open for writing ends the run through the error box.
void Engine::Fputs(std::string_view args) {
    runState_ = RunState::Running;
    std::string_view a = ArgumentOf(args);
    if (a.empty()) return;
    std::size_t comma = a.find(',');
    if (comma == std::string_view::npos) return Fail(Cp(msg::kVariableFichierAttendue));
    std::string_view operand = Trim(a.substr(0, comma));
    std::string_view target = Trim(a.substr(comma + 1));
    const bool printer = EqualsNoCase(target, kPrinterName);
    std::int32_t index = 0;
    if (!printer) {
        index = FileSlotOf(target);
        if (index == 0) return Fail(Cp(msg::kNomFichierInconnu));
        if (index < 0) return Fail(Cp(msg::kVariableFichierAttendue));
    }
    OperandText(operand, fileText_);
    if (runState_ != RunState::Running) return;

    if (printer) {
        if (!printerOpen_) throw ErrorBoxFailure{Cp(msg::kNonOuvertEcriture)};
        if (!host_.PrintLine(fileText_)) throw ErrorBoxFailure{Cp(msg::kErreurEcriture)};
        return;
    }
    FileSlot& slot = files_[index];
    if (slot.mode != FileSlot::Mode::Write || !slot.handle)
        throw ErrorBoxFailure{Cp(msg::kNonOuvertEcriture)};
    std::string bytes = Cp1252ToUtf8(fileText_);
    bytes.append("\r\n");
    if (std::fwrite(bytes.data(), 1, bytes.size(), slot.handle) != bytes.size())
        throw ErrorBoxFailure{Cp(msg::kErreurEcriture)};
}

// fgets(f, v) / fgets(f, n, v): reads one line into v (n is ignored) and stores it by
// the kind of v. At the end of the file, or on a slot not open for reading, the line
// read is empty and nothing is reported.
void Engine::Fgets(std::string_view args) {
    runState_ = RunState::Running;
    std::string_view a = ArgumentOf(args);
    if (a.empty()) return;
    std::size_t comma = a.find(',');
    std::string_view fileName = Trim(a.substr(0, comma));
    std::int32_t index = FileSlotOf(fileName);
    if (index == 0) return Fail(Cp(msg::kNomFichierInconnu));
    if (comma == std::string_view::npos || index < 0) return Fail(Cp(msg::kVariableFichierRequise));
    std::string_view rest = a.substr(comma + 1);
    std::size_t second = rest.find(',');
    if (second != std::string_view::npos) rest = rest.substr(second + 1);
    std::string_view target = Trim(rest);
    SymbolKind kind = SymbolKind::None;
    std::int32_t slot = 0;
    if (!FindSymbol(target, kind, slot)) {
        if (!target.empty() && target[0] == '*') target.remove_prefix(1);
        return Fail(Cp(msg::kVariable) + std::string(target) + Cp(msg::kInconnue));
    }
    ReadLine(files_[index], fileText_);
    StoreValue(fileText_, kind, slot);
}

// fclose(f) closes the slot (a slot that is not open is an I/O error); fclose(PRN:)
// ends the print job.
void Engine::Fclose(std::string_view args) {
    runState_ = RunState::Running;
    std::string_view a = Trim(DropLast(args));
    if (EqualsNoCase(a, kPrinterName)) {
        if (!printerOpen_) return Fail(Cp(msg::kErreurEntreeSortieMin));
        printerOpen_ = false;
        if (!host_.EndPrint()) Fail(Cp(msg::kErreurEntreeSortieMin));
        return;
    }
    std::int32_t index = FileSlotOf(a);
    if (index <= 0) return Fail(Cp(msg::kVariableFichierAttendue));
    FileSlot& slot = files_[index];
    if (!slot.handle) return Fail(Cp(msg::kErreurEntreeSortieMin));
    if (CloseSlot(slot) != 0) Fail(Cp(msg::kErreurEntreeSortieMin));
}

// The end-of-file state of `f)` (the text after the parenthesis of feof). A name that
// is not a file variable, or a file not open for reading, is an error, and the result
// is then true so that a reading loop ends.
bool Engine::EndOfFile(std::string_view text) {
    std::string_view a = Trim(DropLast(Trim(text)));
    std::int32_t index = FileSlotOf(a);
    if (index <= 0) {
        Fail(Cp(msg::kVariableFichierAttendue));
        return true;
    }
    const FileSlot& slot = files_[index];
    if (slot.mode != FileSlot::Mode::Read || !slot.handle) {
        Fail(Cp(msg::kErreurEntreeSortieMin));
        return true;
    }
    return slot.lookahead == EOF;
}

// Closes every file slot that is open and ends a print job still open. The result is
// the first error code met (0 when all went well); RunState becomes 1 on an error,
// without a message.
int Engine::CloseAllFiles() {
    int code = 0;
    for (int s = 1; s <= kFileSlots; ++s) {
        int e = CloseSlot(files_[s]);
        if (code == 0) code = e;
    }
    if (printerOpen_) {
        printerOpen_ = false;
        if (!host_.EndPrint() && code == 0) code = EIO;
    }
    if (code > 0) runState_ = RunState::Failed;
    return code;
}

// ---- Directories ----

bool Engine::DirectoryOperand(std::string_view args, std::string& name) {
    runState_ = RunState::Running;
    StringOperand(Trim(args), name);
    return runState_ == RunState::Running;
}

void Engine::Mkdir(std::string_view args) {
    if (!DirectoryOperand(args, fileText_)) return;
    fs::path path;
    std::error_code ec;
    // An existing directory is a failure too: nothing was created.
    if (!SystemPath(fileText_, path) || !host_.PathAllowed(path.native(), PathUse::MakeDirectory) ||
        !fs::create_directory(path, ec) || ec)
        Fail(Cp(msg::kRepertoire) + fileText_ + Cp(msg::kNonCree));
}

void Engine::Rmdir(std::string_view args) {
    if (!DirectoryOperand(args, fileText_)) return;
    fs::path path;
    std::error_code ec;
    // Only a directory is removed (never a file, nor what a link points to), and only
    // when it is empty.
    bool removed =
        SystemPath(fileText_, path) && host_.PathAllowed(path.native(), PathUse::RemoveDirectory) &&
        fs::is_directory(fs::symlink_status(path, ec)) && !ec && fs::remove(path, ec) && !ec;
    if (!removed) Fail(Cp(msg::kRepertoire) + fileText_ + Cp(msg::kNonEfface));
}

void Engine::Chdir(std::string_view args) {
    if (!DirectoryOperand(args, fileText_)) return;
    fs::path path;
    std::error_code ec;
    const bool allowed =
        SystemPath(fileText_, path) && host_.PathAllowed(path.native(), PathUse::ChangeDirectory);
    if (allowed) fs::current_path(path, ec);
    if (!allowed || ec) Fail(Cp(msg::kRepertoire) + fileText_ + Cp(msg::kInexistant));
}

} // namespace vokc
