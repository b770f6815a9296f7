// Grading: reading the exercise folder and the program files.
#include "grade_cases.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <set>
#include <system_error>

namespace vokc::cli::grade {

namespace fs = std::filesystem;

namespace {

bool EndsWith(const std::string& text, std::string_view suffix) {
    return text.size() > suffix.size() &&
           text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0;
}

bool ReadAll(const fs::path& path, std::string& bytes) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

} // namespace

bool LoadExercise(const std::string& folder, Exercise& exercise, std::string& error) {
    std::error_code ec;
    if (!fs::is_directory(folder, ec)) {
        error = "dossier de cas introuvable : " + folder;
        return false;
    }
    exercise.folder = fs::absolute(folder, ec);
    if (ec) {
        error = "dossier de cas illisible : " + folder;
        return false;
    }
    // Plain files only (a link to a plain file counts as one); sub-folders are left out.
    std::vector<std::string> names;
    fs::directory_iterator it(exercise.folder, ec);
    for (const fs::directory_iterator end; !ec && it != end; it.increment(ec)) {
        std::error_code typeEc;
        if (it->is_regular_file(typeEc)) names.push_back(it->path().filename().string());
    }
    if (ec) {
        error = "dossier de cas illisible : " + folder;
        return false;
    }
    std::sort(names.begin(), names.end()); // byte order
    const std::set<std::string> present(names.begin(), names.end());

    std::set<std::string> caseNames;
    for (const std::string& file : names) {
        if (!EndsWith(file, ".out")) continue;
        Case c;
        c.name = file.substr(0, file.size() - 4);
        if (!ReadAll(exercise.folder / file, c.expected)) {
            error = "fichier illisible : " + (exercise.folder / file).string();
            return false;
        }
        if (present.count(c.name + ".in")) c.input = exercise.folder / (c.name + ".in");
        caseNames.insert(c.name);
        exercise.cases.push_back(std::move(c));
    }
    if (exercise.cases.empty()) {
        error = "aucun cas (fichier NOM.out) dans " + folder;
        return false;
    }
    for (const std::string& file : names) {
        if (EndsWith(file, ".out")) continue;
        if (EndsWith(file, ".in") && caseNames.count(file.substr(0, file.size() - 3))) continue;
        exercise.dataFiles.push_back(exercise.folder / file);
    }
    return true;
}

bool ReadProgramFile(const std::string& file, std::string& bytes) {
    std::error_code ec;
    if (fs::is_directory(file, ec))
        return false; // a folder opens, reads nothing, and is no program
    return ReadAll(file, bytes);
}

} // namespace vokc::cli::grade
