// libFuzzer harness of the line cache: a fuzzed program, console input and session of
// editor commands (line_cache_differential.h) run with the cache and without it must
// give the same transcript, byte for byte.
//
// Input:  PROGRAM [ "\0\0" CONSOLE [ "\0\0" COMMANDS ] ]  (as the interpreter fuzzer's)
// A fuzzed program stops at the differential check's limit of executed lines.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "line_cache_differential.h"
#include "sandbox.h"

namespace {

constexpr std::size_t kMaxCommands = 32;

std::string_view Cut(std::string_view& rest) {
    constexpr std::string_view kSeparator("\0\0", 2);
    const std::size_t at = rest.find(kSeparator);
    const std::string_view head = rest.substr(0, at);
    rest = at == std::string_view::npos ? std::string_view() : rest.substr(at + 2);
    return head;
}

// One run in the scratch directory, emptied after it.
std::string Transcript(std::string_view program, std::string_view console,
                       std::string_view commands, bool cache) {
    vokc::fuzz::Sandbox sandbox;
    return vokc::differential::Transcript(program, console, commands, cache);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    vokc::fuzz::Sandbox::Create();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view rest(reinterpret_cast<const char*>(data), size);
    const std::string_view program = Cut(rest);
    const std::string_view console = Cut(rest);
    std::string_view commands = Cut(rest);
    if (commands.size() > kMaxCommands) commands = commands.substr(0, kMaxCommands);
    const std::string with = Transcript(program, console, commands, true);
    const std::string without = Transcript(program, console, commands, false);
    if (with != without) {
        std::size_t at = 0;
        while (at < with.size() && at < without.size() && with[at] == without[at])
            ++at;
        const std::size_t from = at > 200 ? at - 200 : 0;
        std::fprintf(stderr,
                     "line cache changed the run at byte %zu:\n--- with\n%s\n--- without\n%s\n", at,
                     with.substr(from, 400).c_str(), without.substr(from, 400).c_str());
        std::abort();
    }
    return 0;
}
