// vokc-run: runs one Vok C program in a terminal.
#include "runner.h"

int main(int argc, char** argv) {
    return vokc::cli::Main(argc, argv);
}
