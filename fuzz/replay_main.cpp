// Runs a fuzz target over files, for builds without libFuzzer: every compiler builds the
// targets, and the test suite replays the committed corpus through them.
//
//   scan_replay FILE_OR_FOLDER...

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

void replay(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  const std::vector<char> bytes{std::istreambuf_iterator<char>(in),
                                std::istreambuf_iterator<char>()};
  LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
}

}  // namespace

int main(int argc, char** argv) {
  int replayed = 0;
  for (int i = 1; i < argc; ++i) {
    const std::filesystem::path path = std::filesystem::absolute(argv[i]);
    if (std::filesystem::is_directory(path)) {
      for (const auto& entry : std::filesystem::directory_iterator(path)) {
        replay(entry.path());
        ++replayed;
      }
    } else {
      replay(path);
      ++replayed;
    }
  }
  std::fprintf(stderr, "replayed %d inputs\n", replayed);
  return replayed > 0 ? 0 : 1;
}
