// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/cli_command_table.h"

#include "cli/cli_commands.h"
#include "cli/cli_map.h"
#include "cli/cli_numeric.h"
#include "cli/cli_runs.h"
#include "cli/cli_topology.h"

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
       "  bands MODEL [PATH]                 band structure along a k path, CSV (a .qrl\n"
       "                                     model without PATH: its lattice's default path)\n"},
      {"dos", RunDos,
       "  dos MODEL [--grid n] [--bins m] [--smooth s] [--threads t] [--solver fast|jacobi]\n"
       "      [--method histogram|tetra] [--electrons Ne [--spin g] [--per-cell] [--shift]]\n"
       "                                     density of states on a k grid, CSV\n"},
      {"map", RunMap,
       "  map MODEL --band b [--kz K] [--grid n] [--weights] [--threads t]\n"
       "                                     band b over the kx-ky plane, CSV\n"},
      {"export", RunExport,
       "  export MODEL [PATH] --python       the model and its bands as a Python script\n"},
      {"convert", RunConvert,
       "  convert IN OUT [--min X]           Wannier90 SEED_hr.dat to .qrl, or .qrl to "
       "SEED_hr.dat\n"
       "                                     (with SEED.win and SEED_centres.xyz)\n"},
      {"chern", RunChern,
       "  chern MODEL [--grid n] [--occupied N]\n"
       "                                     Chern number of the filled bands by plaquettes and\n"
       "                                     each plaquette's Berry phase, CSV (.qrl models)\n"},
      {"berry", RunBerry,
       "  berry MODEL --dir d [--grid n] [--occupied N]\n"
       "                                     Berry phase along d, Wannier charge centres, Chern\n"
       "                                     number from their winding and Z2, CSV (.qrl "
       "models)\n"},
      {"ribbon", RunRibbon,
       "  ribbon MODEL --open d --cells N [PATH]\n"
       "                                     N cells along d: bands with each state's weight on\n"
       "                                     the first and last cell, CSV (.qrl models)\n"},
  };
  return commands;
}

const CliCommand* FindCliCommand(const std::string& name) {
  for (const CliCommand& c : CliCommands())
    if (name == c.name) return &c;
  return nullptr;
}

}  // namespace quarnel::cli
