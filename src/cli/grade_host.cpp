// Grading: the host of one graded run.
#include "grade_host.h"

#include <sys/resource.h>
#include <system_error>

namespace vokc::cli::grade {

namespace fs = std::filesystem;

GradingHost::GradingHost(std::string shownName, char separator, const fs::path& root,
                         std::uint64_t fileBudget)
    : TerminalHost(std::move(shownName), separator, std::string(), false), confinement_(root),
      fileBudget_(fileBudget) {
    if (fileBudget_ > 0) initialBytes_ = FolderBytes(confinement_.Root());
}

void GradingHost::Message(std::string_view text, int) {
    lastMessage_ = text;
}
void GradingHost::ErrorBox(std::string_view text, int) {
    lastMessage_ = text;
}

bool GradingHost::PathAllowed(std::string_view path, PathUse use) {
    if (!confinement_.Allows(path, use)) return false;
    if (use == PathUse::Write && fileBudget_ > 0) {
        // The file about to be emptied no longer counts; what the run wrote before does.
        std::error_code ec;
        const fs::path target = fs::absolute(fs::path(path), ec);
        const std::uint64_t now = FolderBytes(confinement_.Root(), ec ? fs::path() : target);
        const std::uint64_t written = now > initialBytes_ ? now - initialBytes_ : 0;
        const std::uint64_t left = written < fileBudget_ ? fileBudget_ - written : 0;
        rlimit limit{};
        if (getrlimit(RLIMIT_FSIZE, &limit) == 0) {
            limit.rlim_cur = static_cast<rlim_t>(left);
            if (limit.rlim_max != RLIM_INFINITY && limit.rlim_cur > limit.rlim_max)
                limit.rlim_cur = limit.rlim_max;
            setrlimit(RLIMIT_FSIZE, &limit);
        }
    }
    return true;
}

} // namespace vokc::cli::grade
