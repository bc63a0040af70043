// SPDX-License-Identifier: GPL-3.0-or-later
#include <iostream>

#include "bands/default_paths.h"
#include "bands/kpoint_files.h"
#include "bands/path_bands.h"
#include "bands/special_points.h"
#include "cli/cli_commands.h"
#include "model/python_export.h"

namespace quarnel::cli {

int RunExport(const Options& options) {
  std::vector<std::string> files;
  bool python = false;
  for (const std::string& a : options.args) {
    if (a == "--python")
      python = true;
    else if (a.size() > 1 && a[0] == '-')
      return UsageError("export does not know the option " + a);
    else
      files.push_back(a);
  }
  // The option names the language, so that other languages can follow without changing this one.
  if (!python) return UsageError("export needs the language of the code: --python");
  if (files.empty() || files.size() > 2) return UsageError("export needs MODEL [PATH] --python");
  // Models of forms 1 and 2 carry no k path of their own; a lattice has its default one.
  if (files.size() < 2 && ModelFormFor(options, files[0]) != kLatticeForm)
    return UsageError("export needs a k path for a model of form 1 or 2");

  AnyModel model;
  PendingMessages messages = StderrMessages();
  const int status = LoadAnyModel(options, files[0], model, messages);
  if (status != kExitOk) return status;

  PythonScriptSource source;
  source.modelFile = files[0];
  std::vector<std::string> lines;
  if (files.size() == 2) {
    source.kPathName = files[1];
    const bool read = ReadKPathFile(files[1], lines, messages);
    ShowPendingMessages(messages);
    if (!read) return kExitNoFile;
  } else {
    // Named and labelled as bands names and labels it: "default hexagonal", ...
    lines = DefaultKPathLines(*model.lattice, &source.kPathName);
  }
  source.kPathTitle = lines.empty() ? std::string() : lines[0];
  // The lattice form names the points of its lattice, as a band run does.
  std::vector<KPathPoint> points;
  if (model.lattice) {
    source.modelHeader = model.lattice->HeaderText;
    points = LatticePathPoints(*model.lattice, lines);
  } else {
    source.modelHeader = model.tables->HeaderText;
    points = PathPoints(lines);
  }
  const std::string text = PythonBandScript(PythonCodeOfAnyModel(model), points, source);
  std::cout.write(text.data(), static_cast<std::streamsize>(text.size()));
  std::cout.flush();
  return std::cout ? kExitOk : kExitNoFile;
}

}  // namespace quarnel::cli
