// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/cli_command_table.h"

#include "cli/cli_commands.h"
#include "cli/cli_map.h"
#include "cli/cli_numeric.h"
#include "cli/cli_runs.h"

namespace quarnel::cli {

const std::vector<CliCommand>& CliCommands() {
  static const std::vector<CliCommand> commands = {
      {"save", RunSave,
       "  save MODEL                         read MODEL, write it to standard output\n"},
      {"eig", RunEig,
       "  eig MODEL KX KY KZ DIV [--complex] energies and weights at k = (KX,KY,KZ)/DIV\n"},
      {"jacobi", RunJacobi,
       "  jacobi MATRIX [--rotations K]      Jacobi rotations on a matrix file\n"},
      {"bands", RunBands,
       "  bands MODEL PATH                   band structure along a k path, CSV\n"},
      {"dos", RunDos,
       "  dos MODEL [--grid n] [--bins m] [--smooth s] [--threads t] [--solver fast|jacobi]\n"
       "      [--method histogram|tetra] [--electrons Ne [--spin g] [--per-cell] [--shift]]\n"
       "                                     density of states on a k grid, CSV\n"},
      {"map", RunMap,
       "  map MODEL --band b [--kz K] [--grid n] [--weights] [--threads t]\n"
       "                                     band b over the kx-ky plane, CSV\n"},
      {"export", RunExport,
       "  export MODEL [PATH] --python       the model and its bands as a Python script\n"},
  };
  return commands;
}

const CliCommand* FindCliCommand(const std::string& name) {
  for (const CliCommand& c : CliCommands())
    if (name == c.name) return &c;
  return nullptr;
}

}  // namespace quarnel::cli
