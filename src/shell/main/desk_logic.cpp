#include "desk_logic.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace vokc {

std::vector<std::string> AddRecent(std::vector<std::string> list, const std::string& path,
                                   std::size_t limit) {
    if (path.empty()) return list;
    std::erase(list, path);
    list.insert(list.begin(), path);
    if (list.size() > limit) list.resize(limit);
    return list;
}

int ClampZoom(int step) {
    return std::clamp(step, kZoomMin, kZoomMax);
}

int ZoomedSize(int normalSize, int step) {
    const double scaled = normalSize * std::pow(1.1, ClampZoom(step));
    return std::max(6, static_cast<int>(std::lround(scaled)));
}

namespace {
constexpr std::string_view kPrefix = "recup-";
constexpr std::string_view kSuffix = ".txt";
// The first line of every recovery file, so that nothing else is ever taken for one.
constexpr std::string_view kMagic = "VokC recup 1\n";
} // namespace

std::string RecoveryFileName(long long processId, int serial) {
    return std::string(kPrefix) + std::to_string(processId) + "-" + std::to_string(serial) +
           std::string(kSuffix);
}

std::optional<long long> RecoveryOwner(std::string_view name) {
    if (!name.starts_with(kPrefix) || !name.ends_with(kSuffix)) return std::nullopt;
    name.remove_prefix(kPrefix.size());
    name.remove_suffix(kSuffix.size());
    long long pid = 0;
    const auto [end, error] = std::from_chars(name.data(), name.data() + name.size(), pid);
    if (error != std::errc() || end == name.data() || end == name.data() + name.size() ||
        *end != '-' || pid <= 0)
        return std::nullopt;
    int serial = 0;
    const auto [last, serialError] = std::from_chars(end + 1, name.data() + name.size(), serial);
    if (serialError != std::errc() || last != name.data() + name.size() || last == end + 1)
        return std::nullopt;
    return pid;
}

std::string FormatRecovery(const RecoveredText& r) {
    // Path and caption cannot hold a line break; one would end the header early.
    auto oneLine = [](std::string s) {
        std::replace(s.begin(), s.end(), '\n', ' ');
        return s;
    };
    return std::string(kMagic) + oneLine(r.path) + "\n" + oneLine(r.caption) + "\n" + r.text;
}

std::optional<RecoveredText> ParseRecovery(std::string_view bytes) {
    if (!bytes.starts_with(kMagic)) return std::nullopt;
    bytes.remove_prefix(kMagic.size());
    RecoveredText r;
    for (std::string* field : {&r.path, &r.caption}) {
        const std::size_t end = bytes.find('\n');
        if (end == std::string_view::npos) return std::nullopt;
        *field = std::string(bytes.substr(0, end));
        bytes.remove_prefix(end + 1);
    }
    r.text = std::string(bytes);
    return r;
}

} // namespace vokc
