// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Lines of a k path: "kx ky kz div [label]", the title in line 0, and the labels of the
// high-symmetry points. Shared by the bands window and the batch front end.

#include <string>
#include <vector>

#include "support/pending_messages.h"

namespace quarnel {

// One line as read: four numbers (a word that is no number reads as 0) and an optional label.
struct KPathLine {
  double kx = 0, ky = 0, kz = 0, div = 0;
  std::string label;  // the typed fifth word, empty when none
};

// The k point a line asks for, as the integers handed to the k-point calculation.
struct KPathPoint {
  int nx = 0, ny = 0, nz = 0, div = 0;
  std::string label;     // axis label: the typed one or the special-point name
  bool special = false;  // labelled on the band chart
};

KPathLine ParseKPathLine(const std::string& text);

// x rounded to the nearest integer, halves to the even neighbour.
double RoundHalfEven(double x);

// The axis label of a line: a typed label is used as it is; otherwise, when every component is a
// whole multiple of div, the three quotients ("010") with the special-point names put in
// ("Y"). special is false when the point gets no label.
std::string SpecialPointLabel(const KPathLine& line, bool& special);

// The point a line asks for. False when the line is skipped: a divisor that is not positive, or a
// number too large to be handed on as an integer, even after DivisorScale (|n| above INT_MAX / 10).
bool KPathPointOf(const KPathLine& line, KPathPoint& point);

// The warning for a k-point line that is not read as typed: a number that is not whole (it is
// rounded), a word that is not a number or a missing one (read as 0). It says what the line is
// read as, and whether it is skipped. Empty for a line read as typed and for an empty line.
// lineNumber is the line as the user counts it.
std::string KPathLineWarning(const std::string& text, int lineNumber);

// Queues the warnings of the k-point lines of a path (lines[0], the title, is never read).
// lineNumbers[k] is the number of lines[k] in its file; without them line k is line k + 1.
void ReportKPathLines(const std::vector<std::string>& lines, const std::vector<int>& lineNumbers,
                      PendingMessages& messages);

// The smallest factor that brings a positive divisor to at least minDivisor, so that the same k
// point can be written with a divisor the k-point controls accept.
int DivisorScale(int divisor, int minDivisor);

// The path the bands window starts with: Y - G - X - M - G over divisor 20, 81 points, the title
// line first.
std::vector<std::string> StartKPathLines();

}  // namespace quarnel
