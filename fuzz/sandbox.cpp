// The scratch directory of the interpreter fuzzer and the wrappers that keep fuzzed
// programs inside it. Each wrapper is bound to its symbol's --wrap name by an asm label;
// the real function is reached through the matching __real_ name.
#include "sandbox.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string_view>
#include <system_error>
#include <unistd.h>

namespace fs = std::filesystem;

namespace vokc::fuzz {

namespace {

// Levels of directories a program may descend below the scratch directory.
constexpr int kMaxDepth = 8;

std::string root;     // the scratch directory, absolute
std::string home;     // where the process was when the fuzzer started
bool guarded = false; // a run is going on
bool touched = false; // the run created a file or a directory

void RemoveRoot() {
    if (root.empty()) return;
    std::error_code ec;
    fs::remove_all(root, ec);
}

// Whether a name stays below the current directory: relative, without a ".." part.
bool Inside(std::string_view name) {
    if (!name.empty() && name[0] == '/') return false;
    while (!name.empty()) {
        std::size_t slash = name.find('/');
        if (name.substr(0, slash) == "..") return false;
        if (slash == std::string_view::npos) break;
        name.remove_prefix(slash + 1);
    }
    return true;
}

bool Allowed(std::string_view name) {
    return !guarded || Inside(name);
}
bool Allowed(const fs::path& p) {
    return Allowed(std::string_view(p.native()));
}

// Levels below the scratch directory of the current directory.
int CurrentDepth() {
    char buf[4096];
    if (!getcwd(buf, sizeof buf)) return kMaxDepth + 1;
    std::string_view cwd(buf);
    if (cwd.substr(0, root.size()) != root) return kMaxDepth + 1;
    cwd.remove_prefix(root.size());
    int depth = 0;
    for (char c : cwd)
        depth += c == '/';
    return depth;
}

// Levels a relative name descends.
int Descent(std::string_view name) {
    int depth = 0;
    while (!name.empty()) {
        std::size_t slash = name.find('/');
        std::string_view part = name.substr(0, slash);
        if (!part.empty() && part != ".") ++depth;
        if (slash == std::string_view::npos) break;
        name.remove_prefix(slash + 1);
    }
    return depth;
}

std::error_code Denied() {
    return std::make_error_code(std::errc::permission_denied);
}

} // namespace

void Sandbox::Create() {
    if (!root.empty()) return;
    char cwd[4096];
    if (!getcwd(cwd, sizeof cwd)) {
        std::perror("getcwd");
        std::abort();
    }
    home = cwd;
    const char* tmp = std::getenv("TMPDIR");
    std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/vokc-fuzz-XXXXXX";
    if (!mkdtemp(pattern.data())) {
        std::perror("mkdtemp");
        std::abort();
    }
    root = fs::canonical(pattern).string();
    std::atexit(RemoveRoot);
}

const std::string& Sandbox::Root() {
    return root;
}

Sandbox::Sandbox() {
    if (chdir(root.c_str()) != 0) std::abort();
    guarded = true;
    touched = false;
}

Sandbox::~Sandbox() {
    guarded = false;
    if (chdir(home.c_str()) != 0) std::abort();
    if (touched) {
        std::error_code ec;
        for (auto it = fs::directory_iterator(root, ec); !ec && it != fs::directory_iterator();
             it.increment(ec))
            fs::remove_all(it->path(), ec);
    }
}

} // namespace vokc::fuzz

// ---- Wrappers ----

using namespace vokc::fuzz;

extern "C" FILE* __real_fopen(const char* name, const char* mode);
extern "C" FILE* __wrap_fopen(const char* name, const char* mode) {
    if (!Allowed(std::string_view(name))) {
        errno = EACCES;
        return nullptr;
    }
    FILE* f = __real_fopen(name, mode);
    if (f && guarded && std::strpbrk(mode, "wa+")) touched = true;
    return f;
}

#define VOKC_FS_FUNCTION(mangled, ret, name, ...)                                                  \
    ret name(__VA_ARGS__) noexcept asm("__wrap_" #mangled);                                        \
    ret Real##name(__VA_ARGS__) noexcept asm("__real_" #mangled);

// External names: the linker binds the interpreter's calls to them.
namespace vokc::fuzz::wrap {

VOKC_FS_FUNCTION(_ZNSt10filesystem16create_directoryERKNS_7__cxx114pathERSt10error_code, bool,
                 CreateDirectory, const fs::path&, std::error_code&)
VOKC_FS_FUNCTION(_ZNSt10filesystem6removeERKNS_7__cxx114pathERSt10error_code, bool, Remove,
                 const fs::path&, std::error_code&)
VOKC_FS_FUNCTION(_ZNSt10filesystem12current_pathERKNS_7__cxx114pathERSt10error_code, void,
                 CurrentPath, const fs::path&, std::error_code&)
VOKC_FS_FUNCTION(_ZNSt10filesystem6statusERKNS_7__cxx114pathERSt10error_code, fs::file_status,
                 Status, const fs::path&, std::error_code&)
VOKC_FS_FUNCTION(_ZNSt10filesystem14symlink_statusERKNS_7__cxx114pathERSt10error_code,
                 fs::file_status, SymlinkStatus, const fs::path&, std::error_code&)

bool CreateDirectory(const fs::path& p, std::error_code& ec) noexcept {
    if (!Allowed(p)) {
        ec = Denied();
        return false;
    }
    bool made = RealCreateDirectory(p, ec);
    if (made && guarded) touched = true;
    return made;
}

bool Remove(const fs::path& p, std::error_code& ec) noexcept {
    if (!Allowed(p)) {
        ec = Denied();
        return false;
    }
    return RealRemove(p, ec);
}

void CurrentPath(const fs::path& p, std::error_code& ec) noexcept {
    if (!Allowed(p) || (guarded && CurrentDepth() + Descent(p.native()) > kMaxDepth)) {
        ec = Denied();
        return;
    }
    RealCurrentPath(p, ec);
}

fs::file_status Status(const fs::path& p, std::error_code& ec) noexcept {
    if (!Allowed(p)) {
        ec = std::make_error_code(std::errc::no_such_file_or_directory);
        return fs::file_status(fs::file_type::not_found);
    }
    return RealStatus(p, ec);
}

fs::file_status SymlinkStatus(const fs::path& p, std::error_code& ec) noexcept {
    if (!Allowed(p)) {
        ec = std::make_error_code(std::errc::no_such_file_or_directory);
        return fs::file_status(fs::file_type::not_found);
    }
    return RealSymlinkStatus(p, ec);
}

} // namespace vokc::fuzz::wrap
