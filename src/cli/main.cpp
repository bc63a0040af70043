// SPDX-License-Identifier: GPL-3.0-or-later
// quarnel-cli: the program's calculations without a window, for scripts and checks.

#include <cerrno>
#include <cstring>
#include <iostream>
#include <string>

#include "cli/cli_command_table.h"

int main(int argc, char** argv) {
  using namespace quarnel::cli;
  Options options;
  int k = 1;
  if (k < argc && std::strcmp(argv[k], "-betatyp1") == 0)
    options.betaTyp = 1, ++k;
  else if (k < argc && std::strcmp(argv[k], "-betatyp2") == 0)
    options.betaTyp = 2, ++k;
  if (k >= argc) return UsageError("no command given");
  const std::string name = argv[k++];
  const CliCommand* command = FindCliCommand(name);
  if (!command) return UsageError("unknown command '" + name + "'");
  for (; k < argc; ++k) options.args.emplace_back(argv[k]);
  errno = 0;
  const int status = command->run(options);
  // Output that did not arrive (a full disk, a closed pipe) must not pass for a result.
  if (!std::cout.flush()) {
    const int error = errno;
    std::cerr << "quarnel-cli: standard output: " << (error ? std::strerror(error) : "write error")
              << "\n";
    return status == kExitOk ? kExitNoFile : status;
  }
  return status;
}
