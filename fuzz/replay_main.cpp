// SPDX-License-Identifier: GPL-3.0-or-later
// Runs every file of the given folders (or the given files) through the fuzz target once, so a
// normal build replays the corpus and the regressions without libFuzzer. A failed property
// aborts, which fails the test.

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace fs = std::filesystem;

static void RunFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  const std::vector<char> bytes((std::istreambuf_iterator<char>(in)),
                                std::istreambuf_iterator<char>());
  if (!in.eof() && in.fail()) {
    std::fprintf(stderr, "%s: cannot be read\n", path.c_str());
    std::exit(2);
  }
  LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
}

int main(int argc, char** argv) {
  std::size_t count = 0;
  for (int a = 1; a < argc; ++a) {
    const fs::path arg = argv[a];
    std::error_code ec;
    if (fs::is_directory(arg, ec)) {
      std::vector<fs::path> files;
      for (const auto& entry : fs::directory_iterator(arg))
        if (entry.is_regular_file() && entry.path().filename().string()[0] != '.')
          files.push_back(entry.path());
      std::sort(files.begin(), files.end());  // the same order on every run
      for (const auto& f : files) RunFile(f), ++count;
    } else if (fs::is_regular_file(arg, ec)) {
      RunFile(arg), ++count;
    } else {
      // An empty regressions folder is not kept by git; a missing corpus is caught below.
      std::fprintf(stderr, "%s: no such folder, skipped\n", argv[a]);
    }
  }
  std::printf("%zu inputs replayed\n", count);
  // A wrong path must not pass for a clean replay.
  return count > 0 ? 0 : 1;
}
