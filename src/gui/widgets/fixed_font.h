// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QFont;

// A font whose glyphs all have the same advance, so that the columns of memos and listings line
// up. The desktop's fixed font comes first; where it resolves to a proportional face (seen with
// some font sets under the offscreen platform) a monospace family is looked for instead.
QFont FixedPitchFont();
