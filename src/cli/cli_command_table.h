// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The commands of the batch front end, one row each: a new command adds a row to the table and
// nothing else here.

#include <vector>

#include "cli/cli_common.h"

namespace quarnel::cli {

struct CliCommand {
  const char* name;
  int (*run)(const Options& options);
  // The command's lines of the usage text, each ending in a line end.
  const char* usage;
};

const std::vector<CliCommand>& CliCommands();

// The row of name; nullptr when there is none.
const CliCommand* FindCliCommand(const std::string& name);

}  // namespace quarnel::cli
