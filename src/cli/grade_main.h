// Grading: `vokc-run --grade`, grading a class's programs against an exercise's cases.
#pragma once

namespace vokc::cli::grade {

// Exit status: 0 every run passed, 1 at least one did not, 2 usage error.
int Main(int argc, char** argv);

} // namespace vokc::cli::grade
