// Grading: confinement of names to the working folder.
//
// The check runs in the graded program's own process, just before the statement uses
// the name, so the folder cannot change between the check and the use: nothing but the
// program itself works in its folder, and a program cannot make symbolic links.
#include "grade_confine.h"

#include <system_error>
#include <vector>

namespace vokc::grading {

namespace fs = std::filesystem;

namespace {

// The named components of an absolute, normalised path ("" and "." left out, so that
// "dir/" and "dir/." name the same folder as "dir").
std::vector<fs::path> Components(const fs::path& path) {
    std::vector<fs::path> parts;
    for (const fs::path& part : path)
        if (!part.empty() && part != ".") parts.push_back(part);
    return parts;
}

} // namespace

PathConfinement::PathConfinement(const fs::path& root) : root_(fs::canonical(root)) {}

bool PathConfinement::Allows(std::string_view name, PathUse use) const {
    const fs::path asked(name);
    if (asked.empty() || asked.has_root_name() || asked.has_root_directory()) return false;
    std::error_code ec;
    const fs::path cwd = fs::current_path(ec);
    if (ec) return false;
    const fs::path joined = cwd / asked;
    const fs::path resolved = fs::weakly_canonical(joined, ec);
    if (ec) return false;

    const std::vector<fs::path> rootParts = Components(root_);
    const std::vector<fs::path> parts = Components(resolved);
    if (parts.size() < rootParts.size()) return false;
    for (std::size_t i = 0; i < rootParts.size(); ++i)
        if (parts[i] != rootParts[i]) return false;
    if (parts.size() == rootParts.size() && use == PathUse::RemoveDirectory) return false;

    // A link whose target does not exist is left unresolved above, yet opening it for
    // writing would create its target wherever it points.
    const fs::file_status own = fs::symlink_status(joined, ec);
    if (!ec && fs::is_symlink(own) && !fs::exists(fs::status(joined, ec))) return false;
    return true;
}

std::uint64_t FolderBytes(const fs::path& folder, const fs::path& except) {
    std::uint64_t total = 0;
    std::error_code ec;
    fs::recursive_directory_iterator it(folder, fs::directory_options::skip_permission_denied, ec);
    const fs::recursive_directory_iterator end;
    std::error_code same;
    for (; !ec && it != end; it.increment(ec)) {
        std::error_code fileEc;
        if (!it->is_regular_file(fileEc) || it->is_symlink(fileEc)) continue;
        if (!except.empty() && fs::equivalent(it->path(), except, same)) continue;
        const std::uintmax_t size = it->file_size(fileEc);
        if (!fileEc) total += size;
    }
    return total;
}

} // namespace vokc::grading
