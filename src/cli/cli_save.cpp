// SPDX-License-Identifier: GPL-3.0-or-later
#include <iostream>

#include "cli/cli_commands.h"
#include "model/model_writer.h"

namespace quarnel::cli {

int RunSave(const Options& options) {
  if (options.args.size() != 1) return UsageError("save needs exactly one model file");
  ModelData model;
  PendingMessages messages = StderrMessages();
  const int status = LoadModel(options, options.args[0], model, messages);
  if (status != kExitOk) return status;
  const std::string text = FormatModelFile(model);
  std::cout.write(text.data(), static_cast<std::streamsize>(text.size()));
  std::cout.flush();
  return std::cout ? kExitOk : kExitNoFile;
}

}  // namespace quarnel::cli
