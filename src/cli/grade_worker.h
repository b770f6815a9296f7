// Grading: `vokc-run --grade-worker`, the grading process of the desktop application
// (see grade_wire.h).
#pragma once

namespace vokc::cli::grade {

// Exit status: 0 graded, 1 grading failed or cancelled, 2 unreadable request.
int Worker();

} // namespace vokc::cli::grade
