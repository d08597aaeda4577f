#pragma once

#include <string>

namespace quillory::testing {

// A fresh folder under the system's temporary folder, removed with everything in it at the end.
class TempDir {
 public:
  TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  ~TempDir();
  const std::string& path() const { return path_; }
  // path() + "/" + name.
  std::string File(const std::string& name) const;

 private:
  std::string path_;
};

// Writes bytes to a file, replacing it (test setup; aborts the test on failure).
void WriteFile(const std::string& path, const std::string& bytes);
// The bytes of a file (test check).
std::string ReadFile(const std::string& path);
// The names in a folder, sorted.
std::string ListFolder(const std::string& path);

}  // namespace quillory::testing
