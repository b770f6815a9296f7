// Keeps the file and directory statements of fuzzed programs inside one scratch
// directory. The fuzzer is linked with --wrap for every file-system call the interpreter
// makes (fopen and the std::filesystem functions listed in CMakeLists.txt); while a run
// is guarded, the wrappers refuse absolute names, names with a ".." part, and a chdir
// deeper than a few levels, as if the system had denied them.
#pragma once

#include <string>

namespace vokc::fuzz {

class Sandbox {
  public:
    // Creates a fresh scratch directory under $TMPDIR (or /tmp); removed at exit.
    static void Create();
    // Moves into the scratch directory and starts guarding; the guard ends when the
    // object goes, which also returns to the directory the process was in and empties
    // the scratch directory when the run created something there.
    Sandbox();
    ~Sandbox();
    Sandbox(const Sandbox&) = delete;
    Sandbox& operator=(const Sandbox&) = delete;

    static const std::string& Root();
};

} // namespace vokc::fuzz
