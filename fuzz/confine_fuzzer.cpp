// libFuzzer harness of the confinement of graded programs to their working folder: runs
// a sequence of chdir, mkdir, rmdir and fopen (for reading or writing) on names built
// from "..", ".", long names and symbolic links, each done only when the confinement
// allows it, as the grading host lets a statement go on; then checks that nothing
// outside the working folder exists or changed.
//
// The folders live in a fresh folder made in the current folder at the first input:
//   box/outside.txt, box/dehors/secret.txt   what must not change
//   box/work/                                the working folder (the confinement's root),
//                                            with links to outside it and to itself
// Each three input bytes are one operation: the first byte's low three bits choose it
// (0 chdir, 1 mkdir, 2 rmdir, 3 fopen for writing, 4 fopen for reading, 5 and above
// go back to the working folder), its next bit puts a '/' in front of the name, and its
// high bits with the two other bytes choose one to four name components.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

#include "grade_confine.h"

namespace fs = std::filesystem;
using vokc::PathUse;
using vokc::grading::PathConfinement;

namespace {

fs::path gBox, gRoot;

const std::string kLongName(255, 'x');
const char* const kComponents[] = {"..",          ".",          "a",      "b",    "",    "lien",
                                   "racine",      "mort",       "boucle", "haut", "ici", "dehors",
                                   "outside.txt", "secret.txt", "box",    "work"};

// Everything under the box but the working folder: type, size, content or link target.
std::map<std::string, std::string> Outside() {
    std::map<std::string, std::string> seen;
    std::error_code ec;
    fs::recursive_directory_iterator it(gBox, ec);
    for (const fs::recursive_directory_iterator end; !ec && it != end; it.increment(ec)) {
        const fs::path& p = it->path();
        if (p == gRoot) {
            it.disable_recursion_pending();
            continue;
        }
        std::string what;
        std::error_code e;
        if (it->is_symlink(e)) {
            what = "lien " + fs::read_symlink(p, e).string();
        } else if (it->is_directory(e)) {
            what = "dossier";
        } else {
            std::ifstream in(p, std::ios::binary);
            what = "fichier " + std::string(std::istreambuf_iterator<char>(in), {});
        }
        seen[p.string()] = what;
    }
    return seen;
}

std::map<std::string, std::string> gBefore;

void Setup() {
    char pattern[] = "confine-XXXXXX";
    if (!mkdtemp(pattern)) std::abort();
    gBox = fs::canonical(pattern) / "box";
    gRoot = gBox / "work";
    fs::create_directories(gRoot);
    fs::create_directory(gBox / "dehors");
    std::ofstream(gBox / "outside.txt") << "ne pas toucher";
    std::ofstream(gBox / "dehors" / "secret.txt") << "secret";
    gBefore = Outside();
}

// The working folder as a run finds it: empty but for its links.
void Reset() {
    if (chdir(gRoot.c_str()) != 0) std::abort();
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(gRoot, ec))
        fs::remove_all(entry.path(), ec);
    fs::create_directory_symlink("../dehors", gRoot / "lien", ec);
    fs::create_directory_symlink("/", gRoot / "racine", ec);
    fs::create_symlink("../dehors/nouveau", gRoot / "mort", ec);
    fs::create_symlink("boucle", gRoot / "boucle", ec);
    fs::create_directory_symlink("..", gRoot / "haut", ec);
    fs::create_directory_symlink(".", gRoot / "ici", ec);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (gBox.empty()) Setup();
    Reset();
    const PathConfinement confinement(gRoot);
    for (std::size_t i = 0; i + 2 < size && i < 3 * 64; i += 3) {
        const unsigned op = data[i] & 7;
        const bool absolute = (data[i] & 8) != 0;
        unsigned pick = (static_cast<unsigned>(data[i] >> 4) << 16) |
                        (static_cast<unsigned>(data[i + 2]) << 8) | data[i + 1];
        std::string name = absolute ? "/" : "";
        const unsigned parts = 1 + (pick & 3);
        pick >>= 2;
        for (unsigned k = 0; k < parts; ++k) {
            if (k > 0) name += '/';
            const unsigned c = pick % 17;
            pick /= 17;
            name += c == 16 ? kLongName : kComponents[c];
        }
        if (op >= 5) {
            if (chdir(gRoot.c_str()) != 0) std::abort();
            continue;
        }
        static constexpr PathUse kUses[] = {PathUse::ChangeDirectory, PathUse::MakeDirectory,
                                            PathUse::RemoveDirectory, PathUse::Write,
                                            PathUse::Read};
        if (!confinement.Allows(name, kUses[op])) continue;
        switch (op) {
        case 0:
            (void)!chdir(name.c_str());
            break;
        case 1:
            mkdir(name.c_str(), 0777);
            break;
        case 2:
            rmdir(name.c_str());
            break;
        case 3:
            if (std::FILE* f = std::fopen(name.c_str(), "wb")) {
                std::fputs("x", f);
                std::fclose(f);
            }
            break;
        case 4:
            if (std::FILE* f = std::fopen(name.c_str(), "rb")) std::fclose(f);
            break;
        }
    }
    if (Outside() != gBefore) {
        std::fprintf(stderr, "check failed: a name outside the working folder changed\n");
        std::abort();
    }
    return 0;
}
