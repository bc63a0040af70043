// SPDX-License-Identifier: GPL-3.0-or-later
#include <iostream>
#include <memory>

#include "bands/kpoint_files.h"
#include "bands/path_bands.h"
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
  // Models of forms 1 and 2 carry no k path of their own.
  if (files.size() < 2) return UsageError("export needs a k path for a model of this form");

  auto model = std::make_unique<ModelData>();
  PendingMessages messages = StderrMessages();
  const int status = LoadModel(options, files[0], *model, messages);
  if (status != kExitOk) return status;
  std::vector<std::string> lines;
  const bool read = ReadKPathFile(files[1], lines, messages);
  ShowPendingMessages(messages);
  if (!read) return kExitNoFile;

  PythonScriptSource source;
  source.modelFile = files[0];
  source.modelHeader = model->HeaderText;
  source.kPathName = files[1];
  source.kPathTitle = lines.empty() ? std::string() : lines[0];
  const std::string text = PythonBandScript(PythonCodeOfModel(*model), PathPoints(lines), source);
  std::cout.write(text.data(), static_cast<std::streamsize>(text.size()));
  std::cout.flush();
  return std::cout ? kExitOk : kExitNoFile;
}

}  // namespace quarnel::cli
