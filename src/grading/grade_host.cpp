// Grading: the host of one graded run.
//
// The interpreter opens the files it writes with fopen(name, "wb"). vokc-run is linked
// with that call wrapped (see CMakeLists.txt): while a grading host has a budget, such
// a file is a stream of the host's own, whose every write is counted against the bytes
// all the run's files may hold, so that the statement that goes beyond fails at once.
#include "grade_host.h"

#include <cerrno>
#include <fcntl.h>
#include <system_error>
#include <unistd.h>

namespace vokc::grading {

namespace fs = std::filesystem;

namespace {

GradingHost* gBudgetHost = nullptr;

// Bytes a counted file keeps before writing them.
constexpr std::size_t kCountedBuffer = 65536;

std::uint64_t CountEntries(const fs::path& folder) {
    std::uint64_t count = 0;
    std::error_code ec;
    fs::recursive_directory_iterator it(folder, fs::directory_options::skip_permission_denied, ec);
    for (const fs::recursive_directory_iterator end; !ec && it != end; it.increment(ec))
        ++count;
    return count;
}

} // namespace

struct GradingHost::CountedFile {
    GradingHost* host = nullptr;
    int fd = -1;
    std::string pending;
    int error = 0; // the first failed write
};

GradingHost::GradingHost(std::string shownName, char separator, const fs::path& root,
                         std::uint64_t fileBudget, std::uint64_t entryLimit)
    : TerminalHost(std::move(shownName), separator, std::string(), false), confinement_(root),
      fileBudget_(fileBudget), entryLimit_(entryLimit) {
    if (fileBudget_ > 0) {
        initialBytes_ = FolderBytes(confinement_.Root());
        gBudgetHost = this;
    }
    if (entryLimit_ > 0) initialEntries_ = CountEntries(confinement_.Root());
}

GradingHost::~GradingHost() {
    if (gBudgetHost == this) gBudgetHost = nullptr;
}

void GradingHost::Message(std::string_view text, int) {
    lastMessage_ = text;
}
void GradingHost::ErrorBox(std::string_view text, int) {
    lastMessage_ = text;
}

bool GradingHost::PathAllowed(std::string_view path, PathUse use) {
    if (!confinement_.Allows(path, use)) return false;
    if (entryLimit_ > 0 && (use == PathUse::Write || use == PathUse::MakeDirectory)) {
        std::error_code ec;
        const bool exists = fs::exists(fs::symlink_status(fs::path(path), ec));
        if (!exists) {
            // Counted as created when allowed; counted again only when the count says
            // the limit is reached (the run may have removed some meanwhile).
            if (createdEntries_ >= entryLimit_) {
                const std::uint64_t now = CountEntries(confinement_.Root());
                createdEntries_ = now > initialEntries_ ? now - initialEntries_ : 0;
                if (createdEntries_ >= entryLimit_) return false;
            }
            ++createdEntries_;
        }
    }
    if (use == PathUse::Write && fileBudget_ > 0) {
        // What the files hold now, the file about to be emptied left out.
        for (CountedFile* file : open_)
            FlushCounted(*file);
        std::error_code ec;
        const fs::path target = fs::absolute(fs::path(path), ec);
        const std::uint64_t now = FolderBytes(confinement_.Root(), ec ? fs::path() : target);
        usedBytes_ = now > initialBytes_ ? now - initialBytes_ : 0;
    }
    return true;
}

bool GradingHost::FlushCounted(CountedFile& file) {
    std::string_view rest = file.pending;
    while (!rest.empty() && file.error == 0) {
        const ssize_t n = write(file.fd, rest.data(), rest.size());
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            file.error = n < 0 ? errno : EIO;
            break;
        }
        rest.remove_prefix(static_cast<std::size_t>(n));
    }
    file.pending.clear();
    return file.error == 0;
}

std::FILE* GradingHost::OpenCounted(const char* path) {
    const int fd = open(path, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0) return nullptr;
    auto* file = new CountedFile{this, fd, {}, 0};
    cookie_io_functions_t functions{};
    functions.write = &GradingHost::WriteCounted;
    functions.close = &GradingHost::CloseCounted;
    std::FILE* stream = fopencookie(file, "w", functions);
    if (!stream) {
        close(fd);
        delete file;
        return nullptr;
    }
    // Every write reaches the count at once; the file keeps its own buffer.
    setvbuf(stream, nullptr, _IONBF, 0);
    open_.push_back(file);
    return stream;
}

ssize_t GradingHost::WriteCounted(void* cookie, const char* data, std::size_t size) {
    auto& file = *static_cast<CountedFile*>(cookie);
    GradingHost& host = *file.host;
    if (file.error != 0) return 0;
    if (size > host.fileBudget_ - std::min(host.usedBytes_, host.fileBudget_)) {
        file.error = EFBIG;
        return 0;
    }
    host.usedBytes_ += size;
    file.pending.append(data, size);
    if (file.pending.size() >= kCountedBuffer && !host.FlushCounted(file)) return 0;
    return static_cast<ssize_t>(size);
}

int GradingHost::CloseCounted(void* cookie) {
    auto* file = static_cast<CountedFile*>(cookie);
    GradingHost& host = *file->host;
    const bool flushed = host.FlushCounted(*file);
    const bool closed = close(file->fd) == 0;
    std::erase(host.open_, file);
    delete file;
    return flushed && closed ? 0 : -1;
}

} // namespace vokc::grading

// The interpreter's fopen, wrapped at link time: files opened for writing during a
// graded run count against its budget.
extern "C" std::FILE* __real_fopen(const char* path, const char* mode);
extern "C" std::FILE* __wrap_fopen(const char* path, const char* mode) {
    if (vokc::grading::gBudgetHost && mode && mode[0] == 'w')
        return vokc::grading::gBudgetHost->OpenCounted(path);
    return __real_fopen(path, mode);
}
