// SPDX-License-Identifier: GPL-3.0-or-later
// quarnel-cli: the program's calculations without a window, for scripts and checks.

#include <cerrno>
#include <cstring>
#include <iostream>
#include <map>
#include <string>

#include "cli/cli_commands.h"
#include "cli/cli_map.h"
#include "cli/cli_numeric.h"
#include "cli/cli_runs.h"

namespace {

using Command = int (*)(const quarnel::cli::Options&);

const std::map<std::string, Command>& Commands() {
  // One entry per command.
  static const std::map<std::string, Command> commands = {
      {"save", quarnel::cli::RunSave},
      {"eig", quarnel::cli::RunEig},
      {"jacobi", quarnel::cli::RunJacobi},
      {"bands", quarnel::cli::RunBands},
      {"dos", quarnel::cli::RunDos},
      {"map", quarnel::cli::RunMap},
      {"export", quarnel::cli::RunExport},
  };
  return commands;
}

}  // namespace

int main(int argc, char** argv) {
  using namespace quarnel::cli;
  Options options;
  int k = 1;
  if (k < argc && std::strcmp(argv[k], "-betatyp1") == 0) options.betaTyp = 1, ++k;
  else if (k < argc && std::strcmp(argv[k], "-betatyp2") == 0) options.betaTyp = 2, ++k;
  if (k >= argc) return UsageError("no command given");
  const std::string name = argv[k++];
  const auto command = Commands().find(name);
  if (command == Commands().end()) return UsageError("unknown command '" + name + "'");
  for (; k < argc; ++k) options.args.emplace_back(argv[k]);
  errno = 0;
  const int status = command->second(options);
  // Output that did not arrive (a full disk, a closed pipe) must not pass for a result.
  if (!std::cout.flush()) {
    const int error = errno;
    std::cerr << "quarnel-cli: standard output: " << (error ? std::strerror(error) : "write error")
              << "\n";
    return status == kExitOk ? kExitNoFile : status;
  }
  return status;
}
