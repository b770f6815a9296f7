// vokc-run: the options of a plain run and its command.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "error_reason.h"
#include "terminal_host.h"

namespace vokc::cli {

struct Options {
    std::string file;
    char separator = 0; // 0: the user's locale
    bool symbols = false;
    std::vector<std::string> examine;
    unsigned long long maxSteps = 0;
    bool trace = false;
    bool hints = false; // a hint after the messages of common mistakes
    bool hasPrinterFile = false;
    std::string printerFile;
};

using grading::TerminalHost;

int Main(int argc, char** argv);

} // namespace vokc::cli
