#include "support/temp_dir.h"

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace tellmar::testing {

TempDir::TempDir() {
  std::string pattern = (std::filesystem::temp_directory_path() / "tellmar-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  root = pattern;
}

TempDir::~TempDir() {
  std::error_code ignored;
  std::filesystem::remove_all(root, ignored);
}

void TempDir::write(const std::string& name, std::string_view bytes) const {
  std::ofstream out(root / name, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string TempDir::read(const std::string& name) const {
  if (!has(name)) return "<absent>";
  return read_file(root / name);
}

bool TempDir::has(const std::string& name) const {
  std::error_code ignored;
  return std::filesystem::exists(std::filesystem::symlink_status(root / name, ignored));
}

WorkingDirectory::WorkingDirectory(const std::filesystem::path& dir)
    : previous(std::filesystem::current_path()) {
  std::filesystem::current_path(dir);
}

WorkingDirectory::~WorkingDirectory() {
  std::error_code ignored;
  std::filesystem::current_path(previous, ignored);
}

std::string read_file(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace tellmar::testing
