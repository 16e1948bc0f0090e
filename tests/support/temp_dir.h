#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace tellmar::testing {

/// A fresh directory under the system's temporary directory, removed with everything in it.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  [[nodiscard]] const std::filesystem::path& path() const { return root; }
  /// Writes `bytes` to the file `name` in the directory, byte for byte.
  void write(const std::string& name, std::string_view bytes) const;
  /// The bytes of the file `name`; "<absent>" when there is no such file.
  [[nodiscard]] std::string read(const std::string& name) const;
  [[nodiscard]] bool has(const std::string& name) const;

 private:
  std::filesystem::path root;
};

/// Makes `dir` the working directory for the scope, for code that opens files by bare name.
class WorkingDirectory {
 public:
  explicit WorkingDirectory(const std::filesystem::path& dir);
  ~WorkingDirectory();
  WorkingDirectory(const WorkingDirectory&) = delete;
  WorkingDirectory& operator=(const WorkingDirectory&) = delete;

 private:
  std::filesystem::path previous;
};

/// The whole content of a file; empty when it cannot be read.
std::string read_file(const std::filesystem::path& path);

}  // namespace tellmar::testing
