// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Shared by the fuzz targets: property checks that abort with a message in both the libFuzzer
// and the replay build, and a scratch file for readers that take a file name.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#define FUZZ_CHECK(cond)                                                              \
  do {                                                                                \
    if (!(cond)) {                                                                    \
      std::fprintf(stderr, "%s:%d: property failed: %s\n", __FILE__, __LINE__, #cond); \
      std::abort();                                                                   \
    }                                                                                 \
  } while (0)

namespace quarnel_fuzz {

// Writes the bytes to one scratch file per process and extension (in /dev/shm when there is one)
// and returns its name. The file is removed when the process ends normally.
const std::string& InputFile(const std::uint8_t* data, std::size_t size, const char* extension);

}  // namespace quarnel_fuzz
