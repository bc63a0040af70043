// SPDX-License-Identifier: GPL-3.0-or-later
#include "bands/path_run.h"

namespace quarnel {

int CountPathPoints(const std::vector<std::string>& lines) {
  int total = 0;
  KPathPoint p;
  for (std::size_t line = 1; line < lines.size(); ++line)
    if (KPathPointOf(ParseKPathLine(lines[line]), p)) ++total;
  return total;
}

int RunPath(const std::vector<std::string>& lines, const PathRunHooks& hooks) {
  int x = 0;
  for (std::size_t line = 1; line < lines.size(); ++line) {
    if (hooks.stop && hooks.stop()) break;
    KPathPoint p;
    const KPathLine parsed = ParseKPathLine(lines[line]);
    if (KPathPointOf(parsed, p)) {
      if (hooks.label) hooks.label(parsed, p);
      if (hooks.point) hooks.point({x++, static_cast<int>(line), p});
    }
    if (hooks.afterLine) hooks.afterLine();
  }
  return x;
}

}  // namespace quarnel
