// SPDX-License-Identifier: GPL-3.0-or-later
// k-point files: the own list (.qrk) and klist_band files, then every resulting k-path line as
// the band run reads it and hands it to the k-point controls.

#include <climits>
#include <cstdint>

#include "bands/kpath.h"
#include "bands/kpoint_files.h"
#include "fuzz_support.h"
#include "support/pending_messages.h"

using namespace quarnel;

namespace {

// The band window writes a short divisor as the same fraction with a divisor of at least 10;
// the scaled numbers must still be integers the controls can hold (and negate).
void CheckPathLine(const std::string& text) {
  const KPathLine line = ParseKPathLine(text);
  KPathPoint p;
  const bool used = KPathPointOf(line, p);
  // A warning says "skipped" exactly when the run skips the line.
  const std::string warning = KPathLineWarning(text, 2);
  const std::string skipped = ", line skipped";
  if (warning.size() >= skipped.size())
    FUZZ_CHECK((warning.compare(warning.size() - skipped.size(), skipped.size(), skipped) == 0) ==
               !used);
  if (!used) return;
  FUZZ_CHECK(p.div > 0);
  const std::int64_t scale = DivisorScale(p.div, 10);
  FUZZ_CHECK(scale >= 1 && scale <= 10);
  for (std::int64_t v : {std::int64_t{p.div}, std::int64_t{p.nx}, std::int64_t{p.ny},
                         std::int64_t{p.nz}}) {
    FUZZ_CHECK(v * scale <= INT_MAX && v * scale > INT_MIN);
  }
  FUZZ_CHECK(p.div * scale >= 10);
  if (!line.label.empty()) FUZZ_CHECK(p.special && p.label == line.label);
}

// The lines of a text as the file reader splits them: CR LF, LF or a lone CR.
std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  std::string line;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '\n' || c == '\r') {
      if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
      lines.push_back(line);
      line.clear();
    } else {
      line += c;
    }
  }
  if (!line.empty()) lines.push_back(line);
  return lines;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  const std::string& name = quarnel_fuzz::InputFile(data, size, "qrk");
  const std::vector<std::string> fileLines = SplitLines(text);

  // The own list keeps every non-empty line unchanged.
  PendingMessages messages;
  std::vector<std::string> lines;
  FUZZ_CHECK(ReadKpointList(name, lines, messages));
  std::vector<std::string> expected;
  for (const auto& l : fileLines)
    if (!l.empty()) expected.push_back(l);
  FUZZ_CHECK(lines == expected);
  for (std::size_t i = 1; i < lines.size(); ++i) CheckPathLine(lines[i]);

  // klist_band: a title, then one path line per file line up to END.
  std::vector<std::string> band;
  FUZZ_CHECK(ReadKlistBand(name, band, messages));
  FUZZ_CHECK(!band.empty());
  FUZZ_CHECK(messages.Text.empty());
  std::size_t k = 1;
  for (const auto& l : fileLines) {
    if (l.empty()) continue;
    bool end = false;
    const std::string out = KlistBandPathLine(l, end);
    if (end) break;
    FUZZ_CHECK(k < band.size() && band[k] == out);
    FUZZ_CHECK(!out.empty() && out[0] == ' ');
    ++k;
  }
  FUZZ_CHECK(k == band.size());
  for (std::size_t i = 1; i < band.size(); ++i) CheckPathLine(band[i]);
  return 0;
}
