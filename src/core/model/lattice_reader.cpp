// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/lattice_reader.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <tuple>
#include <utility>
#include <vector>

#include "support/number_text.h"
#include "support/text_file.h"
#include "support/text_utils.h"

namespace quarnel {
namespace {

// Blanks collapsed, "= " joined to "=", then the words.
std::vector<std::string> Words(std::string line, std::string& normalized) {
  NormalizeSpaces(line);
  normalized.clear();
  for (size_t k = 0; k < line.size(); ++k) {
    normalized += line[k];
    if (line[k] == '=' && k + 1 < line.size() && line[k + 1] == ' ') ++k;
  }
  std::vector<std::string> words;
  std::string rest = normalized, word;
  while (!rest.empty()) {
    CutToken(rest, word, ' ');
    if (!word.empty()) words.push_back(word);
  }
  return words;
}

bool Number(const std::string& s, double& x) {
  return ReadNumber(s, x) && std::isfinite(x);
}

// A word "key=value": true and value when the word starts with key and "=".
bool KeyValue(const std::string& word, const char* key, std::string& value) {
  const std::string k = std::string(key) + "=";
  if (word.compare(0, k.size(), k) != 0) return false;
  value = word.substr(k.size());
  return true;
}

// Reads the value of "key=" and the count - 1 words after it into x; w is advanced past them.
bool KeyNumbers(const std::vector<std::string>& w, std::size_t& k, const char* key, double* x,
                int count) {
  std::string value;
  if (k >= w.size() || !KeyValue(w[k], key, value)) return false;
  // "key=" with its value in the next word (the file had "key =value" or a lone "=").
  std::vector<std::string> values;
  if (!value.empty()) values.push_back(value);
  ++k;
  while (static_cast<int>(values.size()) < count && k < w.size()) values.push_back(w[k++]);
  if (static_cast<int>(values.size()) < count) return false;
  for (int c = 0; c < count; ++c)
    if (!Number(values[c], x[c])) return false;
  return true;
}

bool ValidName(const std::string& name) {
  return !name.empty() && name.find('=') == std::string::npos && name[0] != '_';
}

struct PendingHop {
  int line = 0;
  std::string text;
  std::string name1, name2;
  int R[3] = {};
  std::complex<double> t;
};

struct Reader {
  LatticeModel& m;
  std::vector<std::pair<int, std::string>> errors;

  void Error(int line, const std::string& text, const std::string& why) {
    errors.emplace_back(line, "Line " + std::to_string(line) + ": " + text + " (" + why + ")");
  }

  void Cell(int line, const std::string& text, const std::vector<std::string>& w) {
    double a[3][3] = {};
    bool got[3] = {false, false, false};
    std::size_t k = 1;
    while (k < w.size()) {
      static const char* const kKeys[] = {"a1", "a2", "a3"};
      bool read = false;
      for (int v = 0; v < 3 && !read; ++v) {
        std::string value;
        if (!KeyValue(w[k], kKeys[v], value)) continue;
        if (!KeyNumbers(w, k, kKeys[v], a[v], 3)) {
          Error(line, text, std::string(kKeys[v]) + " needs three numbers; the unit cube is used");
          return SetUnitCube();
        }
        got[v] = read = true;
      }
      if (!read) {
        Error(line, text, "unknown word '" + w[k] + "'; the unit cube is used");
        return SetUnitCube();
      }
    }
    for (int v = 0; v < 3; ++v)
      if (!got[v]) {
        Error(line, text, "a" + std::to_string(v + 1) + " is missing; the unit cube is used");
        return SetUnitCube();
      }
    double b[3][3];
    if (!ReciprocalVectors(a, b)) {
      Error(line, text, "the lattice vectors are degenerate; the unit cube is used");
      return SetUnitCube();
    }
    std::copy(&a[0][0], &a[0][0] + 9, &m.cell[0][0]);
  }

  void SetUnitCube() {
    for (int r = 0; r < 3; ++r)
      for (int c = 0; c < 3; ++c) m.cell[r][c] = r == c ? 1 : 0;
  }

  void Orbital(int line, const std::string& text, const std::vector<std::string>& w) {
    LatticeOrbital o;
    if (w.size() < 3 || !ValidName(w[1]) || !Number(w[2], o.energy))
      return Error(line, text, "needs a name and an energy");
    std::size_t k = 3;
    bool pos = false, tok = false;
    while (k < w.size()) {
      std::string value;
      if (!pos && KeyValue(w[k], "pos", value)) {
        if (!KeyNumbers(w, k, "pos", o.pos, 3)) return Error(line, text, "pos= needs three numbers");
        pos = true;
      } else if (!tok && KeyValue(w[k], "tok", value)) {
        double kind = 0;
        if (!KeyNumbers(w, k, "tok", &kind, 1) || kind != std::floor(kind) || kind < 1 ||
            kind > kOrbKinds)
          return Error(line, text, "tok= needs a picture kind from 1 to " + std::to_string(kOrbKinds));
        o.kind = static_cast<int>(kind);
        tok = true;
      } else {
        return Error(line, text, "unknown word '" + w[k] + "'");
      }
    }
    if (FindLatticeOrbital(m, w[1]) >= 0)
      return Error(line, text, "the orbital " + w[1] + " is given twice; the first counts");
    if (m.Orbitals() >= kMaxOrb)
      return Error(line, text, "more than " + std::to_string(kMaxOrb) + " orbitals");
    o.name = w[1];
    m.orbitals.push_back(o);
  }

  bool Hop(int line, const std::string& text, const std::vector<std::string>& w, PendingHop& h) {
    if (w.size() < 3) return Error(line, text, "needs two orbital names, R= and t="), false;
    h.line = line;
    h.text = text;
    h.name1 = w[1];
    h.name2 = w[2];
    std::size_t k = 3;
    double R[3];
    std::string value;
    if (k >= w.size() || !KeyValue(w[k], "R", value) || !KeyNumbers(w, k, "R", R, 3))
      return Error(line, text, "R= needs three integers"), false;
    for (int d = 0; d < 3; ++d) {
      if (R[d] != std::floor(R[d]) || std::fabs(R[d]) > 1e6)
        return Error(line, text, "R= needs three integers"), false;
      h.R[d] = static_cast<int>(R[d]);
    }
    double re = 0;
    if (k >= w.size() || !KeyValue(w[k], "t", value) || !KeyNumbers(w, k, "t", &re, 1))
      return Error(line, text, "t= needs a number"), false;
    double im = 0;
    if (k < w.size() && !Number(w[k++], im))
      return Error(line, text, "the imaginary part is no number"), false;
    if (k < w.size()) return Error(line, text, "unknown word '" + w[k] + "'"), false;
    h.t = {re, im};
    return true;
  }

  void Fill(int line, const std::string& text, const std::vector<std::string>& w) {
    double electrons = m.FillElectrons, spin = m.FillSpin;
    bool good = w.size() <= 3;
    static const char* const kKeys[] = {"electrons", "spin"};
    for (std::size_t k = 1; k < w.size() && k <= 2; ++k) {
      std::string key = kKeys[k - 1], value = w[k];
      if (w[k].find('=') != std::string::npos) {
        key = w[k];
        SplitAtFirst(key, value, '=');
      }
      double x = 0;
      const bool read = Number(value, x);
      if (key == "electrons") {
        good = good && read && x >= 0;
        electrons = x;
      } else if (key == "spin") {
        good = good && read && (x == 1 || x == 2);
        spin = x;
      } else {
        good = false;
      }
    }
    if (!good) return Error(line, text, "needs electrons=NE (0 or more) and spin=1 or 2");
    m.FillElectrons = electrons;
    m.FillSpin = static_cast<int>(spin);
  }

  // Hops after every orbital is known, so that the order of the lines does not matter.
  void ResolveHops(const std::vector<PendingHop>& pending) {
    // (i, j, R) of a hop and of its partner share one key; the value is the index in m.hops.
    std::map<std::tuple<int, int, int, int, int>, std::pair<std::size_t, int>> seen;
    for (const PendingHop& h : pending) {
      const int i = FindLatticeOrbital(m, h.name1), j = FindLatticeOrbital(m, h.name2);
      if (i < 0 || j < 0) {
        Error(h.line, h.text, "unknown orbital " + (i < 0 ? h.name1 : h.name2));
        continue;
      }
      const bool zero = h.R[0] == 0 && h.R[1] == 0 && h.R[2] == 0;
      if (i == j && zero) {
        Error(h.line, h.text, "a hop of an orbital to itself in its own cell; use its energy");
        continue;
      }
      LatticeHop hop;
      hop.i = i;
      hop.j = j;
      std::copy(h.R, h.R + 3, hop.R);
      hop.t = h.t;
      const bool partner =
          i > j || (i == j && std::make_tuple(h.R[0], h.R[1], h.R[2]) < std::make_tuple(0, 0, 0));
      const auto key = partner ? std::make_tuple(j, i, -h.R[0], -h.R[1], -h.R[2])
                               : std::make_tuple(i, j, h.R[0], h.R[1], h.R[2]);
      const auto found = seen.find(key);
      if (found != seen.end()) {
        Error(h.line, h.text,
              "the hop of line " + std::to_string(found->second.second) +
                  " given again (or its partner); this line counts");
        m.hops[found->second.first] = hop;
        found->second.second = h.line;
        continue;
      }
      seen[key] = {m.hops.size(), h.line};
      m.hops.push_back(hop);
    }
  }
};


}  // namespace

void ParseLatticeText(const std::string& text, LatticeModel& m, PendingMessages& messages) {
  const std::string fileName = m.ModelFileName;
  m = LatticeModel();
  m.ModelFileName = fileName;
  Reader reader{m, {}};
  const std::vector<std::string> lines = TextLines(text);
  if (!lines.empty()) m.HeaderText = lines[0];
  std::vector<PendingHop> hops;
  for (std::size_t n = 1; n < lines.size(); ++n) {
    const int line = static_cast<int>(n + 1);
    std::string normalized;
    const std::vector<std::string> w = Words(lines[n], normalized);
    if (w.empty() || w[0][0] != '_') continue;  // a comment
    if (w[0] == "_cell") {
      reader.Cell(line, normalized, w);
    } else if (w[0] == "_orb") {
      reader.Orbital(line, normalized, w);
    } else if (w[0] == "_hop") {
      PendingHop h;
      if (reader.Hop(line, normalized, w, h)) hops.push_back(h);
    } else if (w[0] == "_fill") {
      reader.Fill(line, normalized, w);
    } else {
      reader.Error(line, normalized, "unknown keyword " + w[0]);
    }
  }
  reader.ResolveHops(hops);
  std::stable_sort(reader.errors.begin(), reader.errors.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  std::string errors;
  for (const auto& e : reader.errors) errors += e.second + "\r\n";
  if (!errors.empty()) AddPendingMessage(messages, "Reading errors: \r\n" + errors);
}

int ReadLatticeFile(LatticeModel& m, PendingMessages& messages, const std::string& name) {
  TextFile f;
  const int opened = OpenTextFile(f, name, kReadText, 1, messages);
  if (opened != 0) return opened;
  std::string text, line;
  while (f.ReadLine(line)) text += line + "\n";
  if (f.ReadError() != 0) AddPendingMessage(messages, FileAccessErrorMessage(name, f.ReadError()));
  f.Close();
  m.ModelFileName = name;
  ParseLatticeText(text, m, messages);
  return 0;
}

}  // namespace quarnel
