// vokc-run: the French reasons of system errors, for the runner and the grading.
#pragma once

#include <string>

namespace vokc::grading {

// The French reason for a system error code (the system's own text when the table
// has none).
std::string ErrorReason(int error);

} // namespace vokc::grading
