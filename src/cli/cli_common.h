// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Shared pieces of the batch front end's commands.

#include <cstddef>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "model/model_data.h"
#include "support/pending_messages.h"

namespace quarnel::cli {

// Exit status of every command.
enum ExitCode { kExitOk = 0, kExitNoFile = 1, kExitUsage = 2 };

struct Options {
  int betaTyp = 0;                // 1 or 2 from -betatyp1 / -betatyp2; 0 when not given
  std::vector<std::string> args;  // the command's own arguments
};

// Messages go to standard error, CR LF turned into plain line ends.
PendingMessages StderrMessages();

// The model form for a file: the option, else the extension (qre 1, qrg 2), else 2.
int ModelFormFor(const Options& options, const std::string& file);

// Reads a model file in the form chosen by ModelFormFor. Returns kExitOk when the file was read
// (line errors are only reported), kExitNoFile when it could not be opened.
int LoadModel(const Options& options, const std::string& file, ModelData& model,
              PendingMessages& messages);

// Prints "quarnel-cli: <text>" and the usage to standard error; returns kExitUsage.
int UsageError(const std::string& text);

// When a[k] names one of the integer options, reads the number after it into its target and
// steps k onto it: returns 1. Returns 0 for any other argument, and -1 after the usage error
// when the number is missing or not an integer.
int ParseIntOption(const std::vector<std::string>& a, std::size_t& k,
                   std::initializer_list<std::pair<const char*, int*>> options);

}  // namespace quarnel::cli
