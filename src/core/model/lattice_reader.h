// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Reading a lattice-form file (.qrl) into a LatticeModel:
//
//   <header: one free line>
//   _cell  a1= X Y Z  a2= X Y Z  a3= X Y Z
//   _orb   NAME  ENERGY  [pos= F1 F2 F3]  [tok= K]
//   _hop   NAME1  NAME2  R= N1 N2 N3  t= RE [IM]
//   _fill  electrons=NE spin=G
//
// Lines that start with no "_" are comments. Bad input never stops the reading and is never
// silent: every line that is not used, or not wholly, is queued as "Line N: <text> (<why>)".

#include <string>

#include "model/lattice_model.h"
#include "support/pending_messages.h"

namespace quarnel {

// Reads the text of a whole file (lines ended by CR LF, LF or CR) into m, which is reset first.
// Messages are queued under the "Reading errors: " prefix of the other readers.
void ParseLatticeText(const std::string& text, LatticeModel& m, PendingMessages& messages);

// Reads the file name into m. Returns 0 when the file was read, otherwise the result of
// OpenTextFile (m unchanged, the open error queued). Nothing is shown.
int ReadLatticeFile(LatticeModel& m, PendingMessages& messages, const std::string& name);

}  // namespace quarnel
