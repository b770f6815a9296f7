// What the main window remembers between sessions, without any window: the list of
// recent files, the zoom steps, and the names and contents of recovery files.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vokc {

// The recent files, most recent first: `path` goes to the front, any older entry of the
// same path goes away, and the list keeps at most `limit` entries.
inline constexpr std::size_t kRecentLimit = 8;
std::vector<std::string> AddRecent(std::vector<std::string> list, const std::string& path,
                                   std::size_t limit = kRecentLimit);

// Zoom steps: 0 is the normal size, each step up or down scales by about a tenth.
inline constexpr int kZoomMin = -4;
inline constexpr int kZoomMax = 10;
int ClampZoom(int step);
// A font size (pixels or points) at a zoom step; never below 6.
int ZoomedSize(int normalSize, int step);

// Recovery files: one per editor window with unsaved text, named after the process that
// wrote it and the window's serial number, so that two sessions never share one.
std::string RecoveryFileName(long long processId, int serial);
// The process that wrote a recovery file, from its name; nothing for other files.
std::optional<long long> RecoveryOwner(std::string_view fileName);

// What a recovery file holds: the window's file (empty for a new window), its caption and
// its text (UTF-8, lines separated by LF).
struct RecoveredText {
    std::string path;
    std::string caption;
    std::string text;
};
std::string FormatRecovery(const RecoveredText& recovered);
// Nothing when the bytes are not a recovery file (another file, a truncated header).
std::optional<RecoveredText> ParseRecovery(std::string_view bytes);

} // namespace vokc
