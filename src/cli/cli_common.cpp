// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/cli_common.h"

#include <iostream>

#include "cli/cli_command_table.h"
#include "model/model_form.h"
#include "model/model_reader.h"
#include "support/number_text.h"
#include "support/text_utils.h"

namespace quarnel::cli {

PendingMessages StderrMessages() {
  PendingMessages messages;
  messages.Show = [](const std::string& text) {
    std::string plain;
    for (size_t k = 0; k < text.size(); ++k) {
      if (text[k] == '\r' && k + 1 < text.size() && text[k + 1] == '\n') continue;
      plain += text[k];
    }
    std::cerr << plain;
    if (plain.empty() || plain.back() != '\n') std::cerr << '\n';
  };
  return messages;
}

// The desktop program's rule: a model file's extension sets its form; the option decides only
// for files of another extension.
int ModelFormFor(const Options& options, const std::string& file) {
  if (const int form = ModelFormOfFile(file)) return form;
  if (options.betaTyp == 1 || options.betaTyp == 2) return options.betaTyp;
  return 2;
}

int LoadModel(const Options& options, const std::string& file, ModelData& model,
              PendingMessages& messages) {
  model.BetaTyp = ModelFormFor(options, file);
  const int result = ReadModelFile(model, messages, file);
  ShowPendingMessages(messages);
  return result == 0 ? kExitOk : kExitNoFile;
}

int UsageError(const std::string& text) {
  std::cerr << "quarnel-cli: " << text << "\n"
            << "usage: quarnel-cli [-betatyp1|-betatyp2] COMMAND ARGS...\n";
  for (const CliCommand& c : CliCommands()) std::cerr << c.usage;
  std::cerr << "CSV output starts with lines beginning with '#' that name its sources.\n";
  return kExitUsage;
}

int ParseIntOption(const std::vector<std::string>& a, std::size_t& k,
                   std::initializer_list<std::pair<const char*, int*>> options) {
  for (const auto& [name, target] : options) {
    if (a[k] != name) continue;
    if (k + 1 >= a.size() || !TryParseInt(a[k + 1], *target)) {
      UsageError(a[k] + " needs an integer");
      return -1;
    }
    ++k;
    return 1;
  }
  return 0;
}

}  // namespace quarnel::cli
