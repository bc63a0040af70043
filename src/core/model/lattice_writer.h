// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Writing a LatticeModel as a lattice-form file (.qrl); every number "%.12g", every line CR LF,
// so that the file reads back to the same model to 12 significant digits.

#include <string>

#include "model/lattice_model.h"
#include "support/pending_messages.h"

namespace quarnel {

// The whole file text: header, _cell, the _orb lines, the _hop lines in the model's order, and
// _fill when the filling is set.
std::string FormatLatticeFile(const LatticeModel& m);

// Writes the file through a temporary file and a rename (the previous file stays on failure).
// On success ModelFileName := name and the result is 0; otherwise the error is queued and the
// system error code returned.
int WriteLatticeFile(LatticeModel& m, PendingMessages& messages, const std::string& name);

}  // namespace quarnel
