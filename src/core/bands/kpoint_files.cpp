// SPDX-License-Identifier: GPL-3.0-or-later
#include "bands/kpoint_files.h"

#include "support/text_file.h"
#include "support/text_utils.h"

namespace quarnel {

bool ReadKpointList(const std::string& name, std::vector<std::string>& lines,
                    PendingMessages& messages) {
  TextFile f;
  if (OpenTextFile(f, name, kReadText, 1, messages) != 0) return false;
  lines.clear();
  std::string line;
  while (f.ReadLine(line))
    if (!line.empty()) lines.push_back(line);
  f.Close();
  return true;
}

std::string KlistBandPathLine(const std::string& line, bool& end) {
  std::string rest = line;
  std::string label;
  if (!rest.empty() && rest[0] != ' ') CutToken(rest, label, ' ');
  end = label == "END";
  if (end) return std::string();
  NormalizeSpaces(rest);
  std::string out;
  for (int i = 0; i < 4; ++i) {
    std::string word;
    CutToken(rest, word, ' ');
    out += " " + word;
  }
  return out + " " + label;
}

bool ReadKlistBand(const std::string& name, std::vector<std::string>& lines,
                   PendingMessages& messages) {
  TextFile f;
  if (OpenTextFile(f, name, kReadText, 1, messages) != 0) return false;
  std::vector<std::string> points;
  std::string title;
  std::string line;
  while (f.ReadLine(line)) {
    if (line.empty()) continue;
    bool end = false;
    std::string out = KlistBandPathLine(line, end);
    if (end) break;
    std::string label = out;
    NormalizeSpaces(label);
    for (int i = 0; i < 4; ++i) {
      std::string word;
      CutToken(label, word, ' ');
    }
    if (!label.empty()) title += (title.empty() ? "" : " ") + label;
    points.push_back(std::move(out));
  }
  f.Close();
  lines.clear();
  lines.push_back(title.empty() ? FileNameOnly(name) : title);
  lines.insert(lines.end(), points.begin(), points.end());
  return true;
}

bool ReadKPathFile(const std::string& name, std::vector<std::string>& lines,
                   PendingMessages& messages) {
  return FileExtension(name) == "klist_band" ? ReadKlistBand(name, lines, messages)
                                             : ReadKpointList(name, lines, messages);
}

std::string FileNameOnly(const std::string& name) {
  const std::size_t at = name.find_last_of("/\\:");
  return at == std::string::npos ? name : name.substr(at + 1);
}

}  // namespace quarnel
