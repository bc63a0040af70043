// SPDX-License-Identifier: GPL-3.0-or-later
#include "fuzz_support.h"

#include <map>
#include <unistd.h>

namespace quarnel_fuzz {
namespace {

struct ScratchFiles {
  std::map<std::string, std::string> byExtension;
  ~ScratchFiles() {
    for (const auto& entry : byExtension) std::remove(entry.second.c_str());
  }
};

ScratchFiles& Files() {
  static ScratchFiles files;
  return files;
}

std::string ScratchFolder() {
  if (access("/dev/shm", W_OK) == 0) return "/dev/shm";
  const char* tmp = std::getenv("TMPDIR");
  return tmp && *tmp ? tmp : "/tmp";
}

}  // namespace

const std::string& InputFile(const std::uint8_t* data, std::size_t size, const char* extension) {
  std::string& name = Files().byExtension[extension];
  if (name.empty())
    name = ScratchFolder() + "/quarnel-fuzz-" + std::to_string(getpid()) + "." + extension;
  std::FILE* f = std::fopen(name.c_str(), "wb");
  FUZZ_CHECK(f != nullptr);
  FUZZ_CHECK(size == 0 || std::fwrite(data, 1, size, f) == size);
  FUZZ_CHECK(std::fclose(f) == 0);
  return name;
}

}  // namespace quarnel_fuzz
