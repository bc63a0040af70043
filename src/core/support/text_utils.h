// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Cutting lines into words, building paths and small numeric helpers shared by every reader.

#include <string>

namespace quarnel {

// Text without any space or tab.
std::string RemoveBlanks(const std::string& s);

// Control characters become blanks, runs of blanks collapse to one, no blank at either end.
void NormalizeSpaces(std::string& s);

// token := text before the first delim, s := text after it; without delim the whole text.
void CutToken(std::string& s, std::string& token, char delim);

// s keeps the text before the first delim, tail receives the text after it.
void SplitAtFirst(std::string& s, std::string& tail, char delim);

// dir and name joined by one '/'; an absolute name or an empty dir gives name.
std::string JoinPath(const std::string& dir, const std::string& name);

// x limited to the range between a and b, in whichever order they come.
int ClampInt(int x, int a, int b);

// Brings x into [lo, hi) periodically; unchanged when hi <= lo.
void WrapInto(double& x, double lo, double hi);

// Lower-case extension of a file name without the dot ("" when there is none).
std::string FileExtension(const std::string& name);

}  // namespace quarnel
