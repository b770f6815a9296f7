// A fresh temporary directory made the current one for the life of the guard, then
// left and removed, so that file tests never depend on the directory they start in.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <string>

namespace vokc::test {

class TempDirGuard {
  public:
    TempDirGuard() : previous_(std::filesystem::current_path()) {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "vokc-files-XXXXXX").string();
        if (!mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp");
        dir_ = pattern;
        std::filesystem::current_path(dir_);
    }
    ~TempDirGuard() {
        std::error_code ec;
        std::filesystem::current_path(previous_, ec);
        std::filesystem::remove_all(dir_, ec);
    }
    TempDirGuard(const TempDirGuard&) = delete;
    TempDirGuard& operator=(const TempDirGuard&) = delete;
    const std::filesystem::path& dir() const { return dir_; }

  private:
    std::filesystem::path previous_, dir_;
};

} // namespace vokc::test
