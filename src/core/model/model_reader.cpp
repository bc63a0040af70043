// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/model_reader.h"

#include <cmath>
#include <cstring>

#include "support/number_text.h"
#include "support/text_file.h"
#include "support/text_utils.h"

namespace quarnel {
namespace {

// Direction 1..3 from the last letter of a key (x, y, z); 0 when it is none of them.
int KeyDirection(const std::string& key) {
  if (key.empty()) return 0;
  switch (key.back()) {
    case 'x':
      return 1;
    case 'y':
      return 2;
    case 'z':
      return 3;
    default:
      return 0;
  }
}

// Splits a word into key and value; a word without "=" is the value of defaultKey.
void KeyAndValue(const std::string& word, const std::string& defaultKey, std::string& key,
                 std::string& value) {
  if (word.find('=') == std::string::npos) {
    key = defaultKey;
    value = word;
  } else {
    key = word;
    SplitAtFirst(key, value, '=');
  }
}

double ReadValue(const std::string& text) {
  double x = 0;
  ReadNumber(text, x);
  return x;
}

void ReadOrbitalFields(ModelData& m, int i, std::string rest) {
  // Positions 3..10; "=alpha" cannot be typed as a key, so the on-site energy is positional only.
  static const char* const kPositionKeys[] = {"=alpha", "tok",  "tox",  "toy",
                                              "bepx",   "bepy", "bepz", "mef"};
  for (const char* positionKey : kPositionKeys) {
    std::string word, key, value;
    CutToken(rest, word, ' ');
    KeyAndValue(word, positionKey, key, value);
    if (key == "=alpha") {
      m.Alpha(i) = ReadValue(value);
    } else if (key == "tok") {
      int kind = 0;
      TryParseInt(value, kind);
      m.OrbPlotKind[i] = kind;
    } else if (key == "tox") {
      m.OrbPlotX[i] = ReadValue(value);
    } else if (key == "toy") {
      m.OrbPlotY[i] = ReadValue(value);
    } else if (key == "bepx" || key == "bepy" || key == "bepz") {
      m.BetaPlus[i][i][KeyDirection(key)] = ReadValue(value);
    } else if (key == "mef") {
      m.EffMass[i] = ReadValue(value);
    }
  }
}

void ReadPairFieldsTyp1(ModelData& m, int a, int b, int d, std::string rest) {
  std::string word;
  CutToken(rest, word, ' ');
  m.Beta[a][b][d] = ReadValue(word);
  CutToken(rest, word, ' ');
  int type = 0;
  TryParseInt(word, type);
  m.OverlapType[a][b][d] = type;
  CutToken(rest, word, ' ');
  m.Beta2[a][b][d] = ReadValue(word);
}

void ReadPairFieldsTyp2(ModelData& m, int a, int b, int d, std::string rest) {
  static const char kAxis[] = {' ', 'x', 'y', 'z'};
  static const char* const kStems[] = {"bem", "bep", "dst", "sor", "soi"};
  for (const char* stem : kStems) {
    std::string word, key, value;
    CutToken(rest, word, ' ');
    KeyAndValue(word, std::string(stem) + kAxis[d], key, value);
    const int kd = KeyDirection(key);
    if (key.size() != 4 || kd == 0) continue;
    const std::string keyStem = key.substr(0, 3);
    double* target = nullptr;
    if (keyStem == "bem") target = &m.BetaMinus[a][b][kd];
    if (keyStem == "bep") target = &m.BetaPlus[a][b][kd];
    if (keyStem == "dst") target = &m.BetaPos[a][b][kd];
    if (keyStem == "sor") target = &m.SocRe[a][b][kd];
    if (keyStem == "soi") target = &m.SocIm[a][b][kd];
    if (target) *target = ReadValue(value);
  }
}

int AddOrbital(ModelData& m, const std::string& name) {
  if (m.NOrb >= kMaxOrb) return 0;
  ++m.NOrb;
  m.OrbName[m.NOrb] = name;
  return m.NOrb;
}

// Returns false when the line must be reported. firstLine[i] is the line number of orbital i's
// first orbital line (0 when none yet); repeated is set to that number when this line names it
// again.
bool ReadOrbitalLine(ModelData& m, std::string rest, int lineNumber, int (&firstLine)[kMaxOrb + 1],
                     int& repeated) {
  std::string name;
  CutToken(rest, name, ' ');
  // Neither could be written back: a nameless orbital, or a name ending in "=", which the "= "
  // rule would glue to the energy that follows it in the saved line.
  if (name.empty() || name.back() == '=') return false;
  int i = FindOrbital(m, name);
  if (i == 0) i = AddOrbital(m, name);
  if (i == 0) return false;
  // The later line's values replace the earlier ones, as they always did; but two orbitals that
  // were meant to be distinct have become one, and the user must hear of it.
  repeated = firstLine[i];
  if (firstLine[i] == 0) firstLine[i] = lineNumber;
  ReadOrbitalFields(m, i, rest);
  return true;
}

bool ReadPairLine(ModelData& m, std::string rest) {
  std::string nameA, nameB, tag;
  CutToken(rest, nameA, ' ');
  int a = FindOrbital(m, nameA);
  CutToken(rest, nameB, ' ');
  int b = FindOrbital(m, nameB);
  CutToken(rest, tag, ' ');
  int d = 0;
  for (int k = 1; k <= 3; ++k)
    if (tag.compare(0, 3, DirTag[k]) == 0) d = k;
  if (d == 0) return false;
  const int savedNOrb = m.NOrb;
  if (a == 0) a = AddOrbital(m, nameA);
  // Looked up again: a line naming one new orbital twice must not add it twice.
  if (b == 0) b = FindOrbital(m, nameB);
  if (b == 0) b = AddOrbital(m, nameB);
  if (a == 0 || b == 0) {
    m.NOrb = savedNOrb;
    return false;
  }
  if (m.BetaTyp == 1) ReadPairFieldsTyp1(m, a, b, d, rest);
  if (m.BetaTyp == 2) ReadPairFieldsTyp2(m, a, b, d, rest);
  return true;
}

// "_fill electrons=<Ne> spin=<g>", keys in either order or the two values by position. Returns
// false, leaving the filling as it was, when a value cannot be used: a negative or unreadable
// electron count, or a spin other than 1 or 2.
bool ReadFillLine(ModelData& m, std::string rest) {
  double electrons = m.FillElectrons, spin = m.FillSpin;
  bool good = true;
  for (const char* positionKey : {"electrons", "spin"}) {
    std::string word, key, value;
    CutToken(rest, word, ' ');
    if (word.empty()) continue;
    KeyAndValue(word, positionKey, key, value);
    double x = 0;
    const bool read = ReadNumber(value, x) && std::isfinite(x);
    if (key == "electrons") {
      good = good && read && x >= 0;
      electrons = x;
    } else if (key == "spin") {
      good = good && read && (x == 1 || x == 2);
      spin = x;
    }
  }
  if (!good) return false;
  m.FillElectrons = electrons;
  m.FillSpin = static_cast<int>(spin);
  return true;
}

// The keywords of the lines that make a model; any other line is skipped.
bool IsModelKeyword(const std::string& keyword) {
  return keyword == "_alfa" || keyword == "_beta" || keyword == "_fill";
}

std::string RepeatedNameMessage(int lineNumber, const std::string& line, int firstLine) {
  std::string name = line.substr(line.find(' ') + 1);
  name = name.substr(0, name.find(' '));
  return "Line " + std::to_string(lineNumber) + ": orbital name " + name + " repeated from line " +
         std::to_string(firstLine) +
         "; both lines describe one orbital, the later values count\r\n";
}

std::string NoModelLineMessage(const std::string& name) {
  return name + ": no model line (_alfa, _beta) in this file; is it a model file?\r\n";
}

std::string NormalizeLine(std::string line) {
  NormalizeSpaces(line);
  // "= " becomes "=" in one pass; erasing in place moved the rest of the line each time.
  std::string out;
  out.reserve(line.size());
  for (size_t k = 0; k < line.size(); ++k) {
    out += line[k];
    if (line[k] == '=' && k + 1 < line.size() && line[k + 1] == ' ') ++k;
  }
  return out;
}

}  // namespace

int ReadModelFile(ModelData& m, PendingMessages& messages, const std::string& name) {
  TextFile f;
  const int opened = OpenTextFile(f, name, kReadText, 1, messages);
  if (opened != 0) return opened;

  ClearModel(m);
  std::string line;
  f.ReadLine(line);
  m.HeaderText = line;
  m.NOrb = 0;
  int lineNumber = 1;
  int firstOrbitalLine[kMaxOrb + 1] = {};
  bool modelLines = false, otherLines = false;
  do {
    f.ReadLine(line);
    ++lineNumber;
    const std::string normalized = NormalizeLine(line);
    std::string rest = normalized, keyword;
    CutToken(rest, keyword, ' ');
    bool good = true;
    int repeated = 0;
    if (keyword == "_alfa") good = ReadOrbitalLine(m, rest, lineNumber, firstOrbitalLine, repeated);
    if (keyword == "_beta") good = ReadPairLine(m, rest);
    if (keyword == "_fill") good = ReadFillLine(m, rest);
    if (IsModelKeyword(keyword))
      modelLines = true;
    else if (!normalized.empty())
      otherLines = true;
    if (!good)
      AddPendingMessage(messages,
                        "Line " + std::to_string(lineNumber) + ": " + normalized + "\r\n");
    if (repeated != 0)
      AddPendingMessage(messages, RepeatedNameMessage(lineNumber, normalized, repeated));
  } while (!f.AtEnd() && f.ReadError() == 0);
  if (f.ReadError() != 0) AddPendingMessage(messages, FileAccessErrorMessage(name, f.ReadError()));
  // A file of another kind (a picture, a k-path list) reads as an empty model; without a word
  // the user would take it for theirs. A file of the header alone is what saving an empty
  // model writes, and stays quiet.
  if (otherLines && !modelLines) AddPendingMessage(messages, NoModelLineMessage(name));
  f.Close();
  m.ModelFileName = name;

  NormalizeModel(m);
  if (!messages.Text.empty()) messages.Text = "Reading errors: \r\n" + messages.Text;
  return 0;
}

}  // namespace quarnel
