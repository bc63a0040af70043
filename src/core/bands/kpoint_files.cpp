// SPDX-License-Identifier: GPL-3.0-or-later
#include "bands/kpoint_files.h"

#include "support/text_file.h"
#include "support/text_utils.h"

namespace quarnel {

bool ReadKpointList(const std::string& name, std::vector<std::string>& lines,
                    PendingMessages& messages, std::vector<int>* lineNumbers) {
  TextFile f;
  if (OpenTextFile(f, name, kReadText, 1, messages) != 0) return false;
  lines.clear();
  if (lineNumbers) lineNumbers->clear();
  std::string line;
  for (int number = 1; f.ReadLine(line); ++number) {
    if (line.empty()) continue;
    lines.push_back(line);
    if (lineNumbers) lineNumbers->push_back(number);
  }
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
                   PendingMessages& messages, std::vector<int>* lineNumbers) {
  TextFile f;
  if (OpenTextFile(f, name, kReadText, 1, messages) != 0) return false;
  std::vector<std::string> points;
  std::vector<int> numbers{0};
  std::string title;
  std::string line;
  for (int number = 1; f.ReadLine(line); ++number) {
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
    if (lineNumbers) numbers.push_back(number);
  }
  f.Close();
  if (lineNumbers) *lineNumbers = std::move(numbers);
  lines.clear();
  lines.push_back(title.empty() ? FileNameOnly(name) : title);
  lines.insert(lines.end(), points.begin(), points.end());
  return true;
}

bool ReadKPathFile(const std::string& name, std::vector<std::string>& lines,
                   PendingMessages& messages, std::vector<int>* lineNumbers) {
  return FileExtension(name) == "klist_band" ? ReadKlistBand(name, lines, messages, lineNumbers)
                                             : ReadKpointList(name, lines, messages, lineNumbers);
}

std::string FileNameOnly(const std::string& name) {
  const std::size_t at = name.find_last_of("/\\:");
  return at == std::string::npos ? name : name.substr(at + 1);
}

}  // namespace quarnel
