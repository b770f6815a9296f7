// vokc-run: runs one Vok C program in a terminal, or grades programs with --grade.
#include <string_view>

#include "grade_main.h"
#include "grade_worker.h"
#include "runner.h"

int main(int argc, char** argv) {
    // The desktop application's grading process.
    if (argc == 2 && std::string_view(argv[1]) == "--grade-worker")
        return vokc::cli::grade::Worker();
    for (int i = 1; i < argc; ++i)
        if (std::string_view(argv[i]) == "--grade") return vokc::cli::grade::Main(argc, argv);
    return vokc::cli::Main(argc, argv);
}
