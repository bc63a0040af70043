// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Writing the model in the project-file format.

#include <string>

#include "model/model_data.h"
#include "support/pending_messages.h"

namespace quarnel {

// The whole file text: header, orbital lines, then pair lines by i, j, d; every line ends CR LF.
std::string FormatModelFile(const ModelData& m);

// Writes the file through a temporary file and a rename. On success ModelFileName := name and
// the result is 0; on failure the previous file is untouched, "%s: File access error #%d: <reason>"
// is queued and the system error code returned.
int WriteModelFile(ModelData& m, PendingMessages& messages, const std::string& name);

}  // namespace quarnel
