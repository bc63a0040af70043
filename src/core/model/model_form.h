// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The model form a file is written in, told by its extension: a file is read in its own form,
// never in the form of the model that happens to be open.

#include <string>

#include "model/model_data.h"
#include "support/pending_messages.h"

namespace quarnel {

// 1 for ".qre", 2 for ".qrg" (compared in lower case); 0 for a name that names no form.
int ModelFormOfFile(const std::string& name);

// The extension of a form's files without the dot ("qre", "qrg"); empty for an unknown form.
std::string ModelFileExtension(int form);

// ReadModelFile in the form of name's extension, or in m's form when the extension names none.
// m.BetaTyp changes only when the file could be opened: a failed open leaves m as it was.
int ReadModelFileInItsForm(ModelData& m, PendingMessages& messages, const std::string& name);

}  // namespace quarnel
