// Runs a fuzz target once over every file of the folders (or files) given:
// the seed corpus as a regression test, without libFuzzer.
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);
// Targets that need set-up define it; the others get this empty one.
extern "C" __attribute__((weak)) int LLVMFuzzerInitialize(int*, char***) { return 0; }

int main(int argc, char** argv) {
  LLVMFuzzerInitialize(&argc, &argv);
  int files = 0;
  for (int i = 1; i < argc; ++i) {
    std::vector<std::filesystem::path> paths;
    if (std::filesystem::is_directory(argv[i])) {
      for (const auto& entry : std::filesystem::recursive_directory_iterator(argv[i]))
        if (entry.is_regular_file()) paths.push_back(entry.path());
    } else {
      paths.emplace_back(argv[i]);
    }
    for (const auto& path : paths) {
      std::ifstream in(path, std::ios::binary);
      const std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
      LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
      ++files;
    }
  }
  std::printf("%d inputs ran\n", files);
  return files > 0 ? 0 : 1;
}
