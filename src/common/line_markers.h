// The two marks the editor puts in front of a line and a run reads there: a breakpoint,
// and the line where a step paused. As Windows-1252 bytes (the program text the
// interpreter reads) and as the same characters in UTF-16 (the editor's text).
#pragma once

namespace vokc {

inline constexpr char kBreakMarker = '\xBB';
inline constexpr char kStepMarker = '\x95';
inline constexpr char16_t kBreakMarkerUtf16 = u'\u00BB';
inline constexpr char16_t kStepMarkerUtf16 = u'\u2022';

} // namespace vokc
