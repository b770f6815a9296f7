// vokc-run: runs one Vok C program in a terminal, or grades programs with --grade.
#include <string_view>

#include "grade_main.h"
#include "runner.h"

int main(int argc, char** argv) {
    for (int i = 1; i < argc; ++i)
        if (std::string_view(argv[i]) == "--grade") return vokc::cli::grade::Main(argc, argv);
    return vokc::cli::Main(argc, argv);
}
