// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Reading a project file (.qre form 1, .qrg form 2) into the model.

#include <string>

#include "model/model_data.h"
#include "support/pending_messages.h"

namespace quarnel {

// Reads name into m in the running form m.BetaTyp, then normalises every orbital and pair.
// Returns 0 when the file was read (bad lines are queued as "Line %d: ..." messages under a
// "Reading errors: " prefix), otherwise the result of OpenTextFile (-1 or a system error code);
// then m is unchanged and the open error is queued. Nothing is shown: the caller refreshes its
// display and calls ShowPendingMessages.
int ReadModelFile(ModelData& m, PendingMessages& messages, const std::string& name);

}  // namespace quarnel
