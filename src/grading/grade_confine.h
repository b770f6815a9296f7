// Grading: the confinement of a graded program to its working folder, and the budget of
// bytes its files may take there.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string_view>

#include "host.h"

namespace vokc::grading {

// Decides which names a graded program may use. A name is resolved from the current
// folder as the system would (`..` and symbolic links followed) and must stay inside
// the root folder; an absolute name is always refused, and so is the removal of the
// root itself.
class PathConfinement {
  public:
    // `root` must exist; it is kept in its canonical form.
    explicit PathConfinement(const std::filesystem::path& root);

    bool Allows(std::string_view name, PathUse use) const;
    const std::filesystem::path& Root() const { return root_; }

  private:
    std::filesystem::path root_;
};

// Total size of the regular files under a folder (links are not followed), leaving out
// the file `except` when it is one of them.
std::uint64_t FolderBytes(const std::filesystem::path& folder,
                          const std::filesystem::path& except = {});

} // namespace vokc::grading
