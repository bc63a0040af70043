// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The default k path of a lattice-form model's lattice (hexagonal G-M-K-G, square G-X-M-G,
// cubic G-X-M-G-R-X, fcc G-X-W-K-G-L-U-W-L-K, bcc G-H-N-G-P-H, ...) as the lines of a .qrk
// file: the title (the point names), then "kx ky kz div" with integer numerators over divisor 30
// (hexagonal) or 40 (the others), about 20 points per segment.

#include <string>
#include <vector>

#include "model/lattice_model.h"

namespace quarnel {

// The path's lines; lattice receives "default <lattice name>", what the run says of its path.
std::vector<std::string> DefaultKPathLines(const LatticeModel& m, std::string* lattice = nullptr);

// Whether opening a lattice model may put its default path into the k-path memo: only when the
// memo is empty or holds the start path or the default path put there before (lastDefault), never
// a path the user typed or opened. Lines compare without trailing blanks and blank end lines.
bool MayPlaceDefaultPath(const std::vector<std::string>& memo,
                         const std::vector<std::string>& start,
                         const std::vector<std::string>& lastDefault);

}  // namespace quarnel
