// Grading: reading the exercise folder and the program files.
#include "grade_cases.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <set>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

#include "error_reason.h"
#include "program_file.h"

namespace vokc::grading {

namespace fs = std::filesystem;

namespace {

bool EndsWith(const std::string& text, std::string_view suffix) {
    return text.size() > suffix.size() &&
           text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0;
}

// Reads a whole file, refusing one beyond `limit` bytes: 0, or the error code of why it
// cannot be read (a folder is EISDIR, a file too large EFBIG).
int ReadAll(const fs::path& path, std::string& bytes, std::uintmax_t limit) {
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return errno;
    int error = 0;
    struct stat st {};
    bytes.clear();
    if (fstat(fd, &st) != 0) {
        error = errno;
    } else if (S_ISDIR(st.st_mode)) {
        error = EISDIR;
    } else if (S_ISREG(st.st_mode) && static_cast<std::uintmax_t>(st.st_size) > limit) {
        error = EFBIG;
    } else {
        char buffer[65536];
        for (;;) {
            const ssize_t n = read(fd, buffer, sizeof buffer);
            if (n < 0 && errno == EINTR) continue;
            if (n < 0) {
                error = errno;
                break;
            }
            if (n == 0) break;
            if (bytes.size() + static_cast<std::size_t>(n) > limit) {
                error = EFBIG;
                break;
            }
            bytes.append(buffer, static_cast<std::size_t>(n));
        }
    }
    close(fd);
    return error;
}

// The file and why it cannot be read, as vokc-run names a file it cannot read.
std::string FileError(const fs::path& path, int error) {
    return path.string() + " : " + ErrorReason(error);
}

} // namespace

bool LoadExercise(const std::string& folder, Exercise& exercise, std::string& error) {
    std::error_code ec;
    if (!fs::is_directory(folder, ec)) {
        error = "dossier de cas introuvable : " + folder;
        return false;
    }
    exercise.folder = fs::absolute(folder, ec);
    if (ec) {
        error = "dossier de cas illisible : " + folder;
        return false;
    }
    // Plain files only (a link to a plain file counts as one); sub-folders are left out.
    std::vector<std::string> names;
    fs::directory_iterator it(exercise.folder, ec);
    for (const fs::directory_iterator end; !ec && it != end; it.increment(ec)) {
        std::error_code typeEc;
        if (it->is_regular_file(typeEc)) names.push_back(it->path().filename().string());
    }
    if (ec) {
        error = "dossier de cas illisible : " + folder;
        return false;
    }
    std::sort(names.begin(), names.end(), NaturalLess);
    const std::set<std::string> present(names.begin(), names.end());

    std::set<std::string> caseNames;
    for (const std::string& file : names) {
        if (!EndsWith(file, ".out")) continue;
        Case c;
        c.name = file.substr(0, file.size() - 4);
        const fs::path out = fs::path(folder) / file;
        if (const int why = ReadAll(out, c.expected, kCaseFileMax); why != 0) {
            error = FileError(out, why);
            return false;
        }
        if (present.count(c.name + ".in")) {
            // Each run opens the input itself: it must open now.
            const fs::path in = fs::path(folder) / (c.name + ".in");
            const int fd = open(in.c_str(), O_RDONLY | O_CLOEXEC);
            if (fd < 0) {
                error = FileError(in, errno);
                return false;
            }
            close(fd);
            c.input = exercise.folder / (c.name + ".in");
        }
        caseNames.insert(c.name);
        exercise.cases.push_back(std::move(c));
    }
    if (exercise.cases.empty()) {
        error = "aucun cas (fichier NOM.out) dans " + folder;
        return false;
    }
    for (const std::string& file : names) {
        if (EndsWith(file, ".out")) continue;
        if (EndsWith(file, ".in")) {
            // An input without its expected output is a case the teacher left unfinished.
            if (!caseNames.count(file.substr(0, file.size() - 3)))
                exercise.inputsWithoutOutput.push_back(fs::path(folder) / file);
            continue;
        }
        exercise.dataFiles.push_back(exercise.folder / file);
    }
    return true;
}

bool NaturalLess(std::string_view a, std::string_view b) {
    const auto digit = [](char c) { return c >= '0' && c <= '9'; };
    std::size_t i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        if (digit(a[i]) && digit(b[j])) {
            // Numbers compare by value: leading zeros aside, the longer one is larger.
            std::size_t ei = i, ej = j;
            while (ei < a.size() && digit(a[ei]))
                ++ei;
            while (ej < b.size() && digit(b[ej]))
                ++ej;
            std::size_t si = i, sj = j;
            while (si + 1 < ei && a[si] == '0')
                ++si;
            while (sj + 1 < ej && b[sj] == '0')
                ++sj;
            if (ei - si != ej - sj) return ei - si < ej - sj;
            if (const int c = a.substr(si, ei - si).compare(b.substr(sj, ej - sj)); c != 0)
                return c < 0;
            i = ei;
            j = ej;
            continue;
        }
        if (a[i] != b[j])
            return static_cast<unsigned char>(a[i]) < static_cast<unsigned char>(b[j]);
        ++i;
        ++j;
    }
    if (i < a.size() || j < b.size()) return j < b.size() && i >= a.size();
    // Equal by value ("01" and "1"): byte order keeps the order total.
    return a < b;
}

int ReadProgramFile(const std::string& file, std::string& bytes) {
    return ReadAll(file, bytes, kProgramFileMax);
}

} // namespace vokc::grading
