// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/wannier_files.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <map>
#include <sstream>

#include "model/lattice_reader.h"
#include "model/lattice_writer.h"
#include "support/number_text.h"
#include "support/text_file.h"
#include "support/text_utils.h"

namespace quarnel {
namespace {

constexpr double kBohr = 0.529177210903;  // Angstrom
constexpr double kPartnerTolerance = 1e-5;

std::vector<std::string> Words(const std::string& line) {
  std::vector<std::string> words;
  std::string word;
  for (const char c : line) {
    if (static_cast<unsigned char>(c) <= ' ') {
      if (!word.empty()) words.push_back(word), word.clear();
    } else {
      word += c;
    }
  }
  if (!word.empty()) words.push_back(word);
  return words;
}

bool Real(const std::string& s, double& x) {
  // Fortran writes exponents as D as well.
  std::string t = s;
  for (char& c : t)
    if (c == 'd' || c == 'D') c = 'E';
  return TryParseFloat(t, x) && std::isfinite(x);
}

bool Int(const std::string& s, long& n) {
  double x = 0;
  if (!Real(s, x) || x != std::floor(x) || std::fabs(x) > 1e6) return false;
  n = static_cast<long>(x);
  return true;
}

std::string Lower(std::string s) {
  for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

std::string Fixed(double x, int width, int decimals) {
  // Room for the largest double in fixed notation (309 digits) and the decimals.
  char buffer[400];
  std::snprintf(buffer, sizeof buffer, "%*.*f", width, decimals, x == 0 ? 0.0 : x);
  std::string s = buffer;
  // No "-0.000000000000": a value that rounds to zero has no sign.
  const std::size_t minus = s.find('-');
  if (minus != std::string::npos && s.find_first_of("123456789") == std::string::npos)
    s[minus] = ' ';
  // A number wider than its field still stands apart from the one before it.
  if (s.empty() || s[0] != ' ') s.insert(0, 1, ' ');
  return s;
}

int ReadWholeFile(const std::string& name, std::string& text, PendingMessages& messages,
                  int report) {
  TextFile f;
  const int opened = OpenTextFile(f, name, kReadText, report, messages);
  if (opened != 0) return opened;
  std::string line;
  text.clear();
  while (f.ReadLine(line)) text += line + "\n";
  const int error = f.ReadError();
  f.Close();
  if (error != 0) AddPendingMessage(messages, FileAccessErrorMessage(name, error));
  return error;
}

int WriteWholeFile(const std::string& name, const std::string& text, PendingMessages& messages) {
  TextFile f;
  int code = OpenTextFile(f, name, kCreateText, 1, messages);
  if (code != 0) return code;
  f.Write(text);
  return CloseTextFile(f, 1, messages);
}

// H(R) blocks of a model, both partners, R = 0 first with the energies on its diagonal.
std::map<std::array<int, 3>, std::vector<std::complex<double>>> Blocks(const LatticeModel& m) {
  const int n = m.Orbitals();
  std::map<std::array<int, 3>, std::vector<std::complex<double>>> blocks;
  const auto block = [&](const std::array<int, 3>& R) -> std::vector<std::complex<double>>& {
    auto& b = blocks[R];
    if (b.empty()) b.assign(static_cast<std::size_t>(n) * n, 0.0);
    return b;
  };
  auto& zero = block({0, 0, 0});
  for (int i = 0; i < n; ++i) zero[i * n + i] += m.orbitals[i].energy;
  for (const LatticeHop& h : m.hops) {
    if (h.i < 0 || h.j < 0 || h.i >= n || h.j >= n) continue;
    block({h.R[0], h.R[1], h.R[2]})[h.i * n + h.j] += h.t;
    block({-h.R[0], -h.R[1], -h.R[2]})[h.j * n + h.i] += std::conj(h.t);
  }
  return blocks;
}

}  // namespace

bool ParseWannierHr(const std::string& text, WannierHr& hr, std::string& error) {
  hr = WannierHr();
  const std::vector<std::string> lines = TextLines(text);
  if (lines.empty()) return error = "empty file", false;
  hr.header = lines[0];
  // Everything after the header as one stream of words, with the line of each.
  std::vector<std::string> words;
  std::vector<int> lineOf;
  for (std::size_t n = 1; n < lines.size(); ++n)
    for (const std::string& w : Words(lines[n])) {
      words.push_back(w);
      lineOf.push_back(static_cast<int>(n + 1));
    }
  std::size_t at = 0;
  long numWann = 0, nrpts = 0;
  if (at >= words.size() || !Int(words[at++], numWann) || numWann < 1)
    return error = "line 2: num_wann is no positive integer", false;
  if (at >= words.size() || !Int(words[at++], nrpts) || nrpts < 1)
    return error = "line 3: nrpts is no positive integer", false;
  if (numWann > 100000 || nrpts > 1000000)
    return error = "num_wann " + std::to_string(numWann) + " and nrpts " + std::to_string(nrpts) +
                   " are too large", false;
  // Larger listings are checked, not kept: the lattice form holds kMaxOrb orbitals.
  const bool keep = numWann <= kMaxOrb;
  hr.numWann = static_cast<int>(numWann);
  for (long r = 0; r < nrpts; ++r) {
    long w = 0;
    if (at >= words.size() || !Int(words[at], w) || w < 1)
      return error = "the degeneracy weights: " + std::to_string(nrpts) +
                     " positive integers expected" +
                     (at < words.size() ? " (line " + std::to_string(lineOf[at]) + ")" : ""),
             false;
    hr.weight.push_back(static_cast<int>(w));
    ++at;
  }
  std::map<std::array<int, 3>, std::size_t> index;
  const std::size_t block = static_cast<std::size_t>(numWann) * numWann;
  while (at < words.size()) {
    const int line = lineOf[at];
    if (at + 7 > words.size())
      return error = "line " + std::to_string(line) + ": R1 R2 R3 m n Re Im expected", false;
    long v[5];
    double re = 0, im = 0;
    for (int c = 0; c < 5; ++c)
      if (!Int(words[at + c], v[c]))
        return error = "line " + std::to_string(line) + ": R1 R2 R3 m n Re Im expected", false;
    if (!Real(words[at + 5], re) || !Real(words[at + 6], im))
      return error = "line " + std::to_string(line) + ": R1 R2 R3 m n Re Im expected", false;
    at += 7;
    if (v[3] < 1 || v[3] > numWann || v[4] < 1 || v[4] > numWann)
      return error = "line " + std::to_string(line) + ": no Wannier function " +
                     std::to_string(v[3] < 1 || v[3] > numWann ? v[3] : v[4]), false;
    const std::array<int, 3> R{static_cast<int>(v[0]), static_cast<int>(v[1]),
                               static_cast<int>(v[2])};
    auto found = index.find(R);
    if (found == index.end()) {
      if (hr.R.size() >= static_cast<std::size_t>(nrpts))
        return error = "line " + std::to_string(line) + ": more than nrpts = " +
                       std::to_string(nrpts) + " cell offsets", false;
      found = index.emplace(R, hr.R.size()).first;
      hr.R.push_back(R);
      if (keep) hr.H.emplace_back(block, 0.0);
    }
    const std::size_t r = found->second;
    if (keep)
      hr.H[r][(v[3] - 1) * numWann + (v[4] - 1)] = std::complex<double>(re, im) /
                                                 static_cast<double>(hr.weight[r]);
  }
  if (hr.R.empty()) return error = "no H(R) lines", false;
  if (hr.R.size() != static_cast<std::size_t>(nrpts))
    return error = std::to_string(hr.R.size()) + " cell offsets listed, nrpts says " +
                   std::to_string(nrpts), false;
  return true;
}

bool ParseWannierWin(const std::string& text, double cell[3][3], std::string& error) {
  const std::vector<std::string> lines = TextLines(text);
  for (std::size_t n = 0; n < lines.size(); ++n) {
    std::vector<std::string> w = Words(Lower(lines[n]));
    if (w.size() < 2 || w[0] != "begin" || w[1] != "unit_cell_cart") continue;
    double scale = 1;
    int rows = 0;
    for (std::size_t k = n + 1; k < lines.size(); ++k) {
      std::string line = Lower(lines[k]);
      const std::size_t comment = line.find_first_of("!#");
      if (comment != std::string::npos) line.erase(comment);
      w = Words(line);
      if (w.empty()) continue;
      if (w[0] == "end") break;
      if (rows == 0 && w.size() == 1 && (w[0] == "bohr" || w[0] == "ang")) {
        scale = w[0] == "bohr" ? kBohr : 1;
        continue;
      }
      if (rows >= 3 || w.size() != 3) return error = "line " + std::to_string(k + 1) + ": a lattice vector X Y Z expected", false;
      for (int c = 0; c < 3; ++c)
        if (!Real(w[c], cell[rows][c]))
          return error = "line " + std::to_string(k + 1) + ": a lattice vector X Y Z expected", false;
      ++rows;
    }
    if (rows != 3) return error = "unit_cell_cart has " + std::to_string(rows) + " vectors", false;
    for (int r = 0; r < 3; ++r)
      for (int c = 0; c < 3; ++c) cell[r][c] *= scale;
    double b[3][3];
    if (!ReciprocalVectors(cell, b)) return error = "the lattice vectors are degenerate", false;
    return true;
  }
  return error = "no begin unit_cell_cart block", false;
}

bool ParseWannierCentres(const std::string& text, int count,
                         std::vector<std::array<double, 3>>& centres, std::string& error) {
  centres.clear();
  const std::vector<std::string> lines = TextLines(text);
  // Line 1 is the count, line 2 a comment.
  for (std::size_t n = 2; n < lines.size() && static_cast<int>(centres.size()) < count; ++n) {
    const std::vector<std::string> w = Words(lines[n]);
    if (w.size() < 4 || (w[0] != "X" && w[0] != "x")) continue;
    std::array<double, 3> r{};
    for (int c = 0; c < 3; ++c)
      if (!Real(w[c + 1], r[c]))
        return error = "line " + std::to_string(n + 1) + ": X x y z expected", false;
    centres.push_back(r);
  }
  if (static_cast<int>(centres.size()) < count)
    return error = std::to_string(centres.size()) + " centres (X lines), " +
                   std::to_string(count) + " Wannier functions", false;
  return true;
}

bool LatticeFromHr(const WannierHr& hr, const double (*cell)[3],
                   const std::vector<std::array<double, 3>>* centres, double minHop,
                   LatticeModel& m, PendingMessages& messages) {
  const int n = hr.numWann;
  if (n > kMaxOrb) {
    AddPendingMessage(messages, std::to_string(n) + " Wannier functions; the lattice form holds at most " +
                                    std::to_string(kMaxOrb));
    return false;
  }
  m = LatticeModel();
  m.HeaderText = hr.header;
  if (cell)
    for (int r = 0; r < 3; ++r)
      for (int c = 0; c < 3; ++c) m.cell[r][c] = cell[r][c];
  double b[3][3];
  ReciprocalVectors(m.cell, b);
  for (int i = 0; i < n; ++i) {
    LatticeOrbital o;
    o.name = "w" + std::to_string(i + 1);
    if (centres && static_cast<int>(centres->size()) > i)
      for (int d = 0; d < 3; ++d) {
        double f = 0;
        for (int c = 0; c < 3; ++c) f += (*centres)[i][c] * b[d][c];
        o.pos[d] = std::fabs(f) < 1e-12 ? 0 : f;
      }
    m.orbitals.push_back(o);
  }
  std::map<std::array<int, 3>, std::size_t> index;
  for (std::size_t r = 0; r < hr.R.size(); ++r) index[hr.R[r]] = r;
  int warned = 0;
  const auto warn = [&](const std::string& text) {
    if (++warned <= 20) AddPendingMessage(messages, text);
  };
  const auto name = [](const std::array<int, 3>& R, int a, int c) {
    return "H_" + std::to_string(a + 1) + "," + std::to_string(c + 1) + "(" +
           std::to_string(R[0]) + " " + std::to_string(R[1]) + " " + std::to_string(R[2]) + ")";
  };
  for (std::size_t r = 0; r < hr.R.size(); ++r) {
    const std::array<int, 3>& R = hr.R[r];
    const std::array<int, 3> minus{-R[0], -R[1], -R[2]};
    const auto partner = index.find(minus);
    const bool zero = R[0] == 0 && R[1] == 0 && R[2] == 0;
    for (int nn = 0; nn < n; ++nn)
      for (int mm = 0; mm < n; ++mm) {
        // Each pair once: m < n, or m == n at the larger of R and -R.
        if (mm > nn || (mm == nn && !(minus < R) && !zero)) continue;
        const std::complex<double> h = hr.H[r][mm * n + nn];
        if (zero && mm == nn) {
          m.orbitals[mm].energy = h.real();
          if (std::fabs(h.imag()) > kPartnerTolerance)
            warn(name(R, mm, nn) + " has the imaginary part " + FormatG(h.imag(), 6) +
                 "; the energy keeps the real part");
          continue;
        }
        std::complex<double> t = h;
        if (partner == index.end()) {
          warn(name(R, mm, nn) + ": its partner " + name(minus, nn, mm) + " is missing");
        } else {
          const std::complex<double> other = std::conj(hr.H[partner->second][nn * n + mm]);
          if (std::abs(other - h) > kPartnerTolerance)
            warn(name(R, mm, nn) + " and the conjugate of " + name(minus, nn, mm) + " differ by " +
                 FormatG(std::abs(other - h), 6));
          t = h / 2.0 + other / 2.0;  // no overflow near the largest double
        }
        // Zero elements (every H(R) block is listed in full) are no hops.
        if (t == 0.0 || std::abs(t) < minHop) continue;
        LatticeHop hop;
        hop.i = mm;
        hop.j = nn;
        for (int d = 0; d < 3; ++d) hop.R[d] = R[d];
        hop.t = t;
        m.hops.push_back(hop);
      }
  }
  if (warned > 20)
    AddPendingMessage(messages, std::to_string(warned - 20) + " more such warnings");
  return true;
}

std::string FormatWannierHr(const LatticeModel& m) {
  const auto blocks = Blocks(m);
  const int n = m.Orbitals();
  std::string text = "written by Quarnel " QUARNEL_VERSION " from " +
                     (m.ModelFileName.empty() ? std::string("a lattice model") : m.ModelFileName) +
                     "\n";
  text += std::to_string(n) + "\n" + std::to_string(blocks.size()) + "\n";
  for (std::size_t r = 0; r < blocks.size(); ++r)
    text += "    1" + std::string((r + 1) % 15 == 0 || r + 1 == blocks.size() ? "\n" : "");
  for (const auto& [R, H] : blocks)
    for (int nn = 0; nn < n; ++nn)
      for (int mm = 0; mm < n; ++mm) {
        char head[64];
        std::snprintf(head, sizeof head, "%5d%5d%5d%5d%5d", R[0], R[1], R[2], mm + 1, nn + 1);
        text += head + Fixed(H[mm * n + nn].real(), 22, 12) +
                Fixed(H[mm * n + nn].imag(), 22, 12) + "\n";
      }
  return text;
}

std::string FormatWannierWin(const LatticeModel& m) {
  std::string text = "! written by Quarnel " QUARNEL_VERSION "\nnum_wann = " +
                     std::to_string(m.Orbitals()) + "\n\nbegin unit_cell_cart\nang\n";
  for (int v = 0; v < 3; ++v) {
    for (int c = 0; c < 3; ++c) text += Fixed(m.cell[v][c], 22, 15);
    text += "\n";
  }
  return text + "end unit_cell_cart\n";
}

std::string FormatWannierCentres(const LatticeModel& m) {
  std::string text = std::to_string(m.Orbitals()) + "\nWannier centres, written by Quarnel\n";
  for (const LatticeOrbital& o : m.orbitals) {
    text += "X";
    for (int c = 0; c < 3; ++c) {
      double r = 0;
      for (int d = 0; d < 3; ++d) r += o.pos[d] * m.cell[d][c];
      text += Fixed(r, 22, 15);
    }
    text += "\n";
  }
  return text;
}

std::string WannierSeedName(const std::string& hrFile) {
  const std::string tail = "_hr.dat";
  if (hrFile.size() <= tail.size() ||
      hrFile.compare(hrFile.size() - tail.size(), tail.size(), tail) != 0)
    return std::string();
  return hrFile.substr(0, hrFile.size() - tail.size());
}

int ConvertHrToLattice(const std::string& hrFile, const std::string& qrlFile, double minHop,
                       PendingMessages& messages) {
  std::string text, error;
  int code = ReadWholeFile(hrFile, text, messages, 1);
  if (code != 0) return code;
  WannierHr hr;
  if (!ParseWannierHr(text, hr, error)) {
    AddPendingMessage(messages, hrFile + ": " + error);
    return -1;
  }
  const std::string seed = WannierSeedName(hrFile);
  double cell[3][3];
  bool haveCell = false;
  std::vector<std::array<double, 3>> centres;
  bool haveCentres = false;
  PendingMessages quiet;
  const std::string win = seed + ".win", xyz = seed + "_centres.xyz";
  if (ReadWholeFile(win, text, quiet, 0) == 0) {
    haveCell = ParseWannierWin(text, cell, error);
    if (!haveCell) AddPendingMessage(messages, win + ": " + error + "; the unit cube is used");
  } else {
    AddPendingMessage(messages, win + ": not found; the unit cube is used");
  }
  if (ReadWholeFile(xyz, text, quiet, 0) == 0) {
    haveCentres = ParseWannierCentres(text, hr.numWann, centres, error);
    if (!haveCentres) AddPendingMessage(messages, xyz + ": " + error + "; positions 0 are used");
  } else {
    AddPendingMessage(messages, xyz + ": not found; positions 0 are used");
  }
  LatticeModel m;
  if (!LatticeFromHr(hr, haveCell ? cell : nullptr, haveCentres ? &centres : nullptr, minHop, m,
                     messages))
    return -1;
  return WriteLatticeFile(m, messages, qrlFile);
}

int ConvertLatticeToHr(const std::string& qrlFile, const std::string& hrFile,
                       PendingMessages& messages) {
  LatticeModel m;
  int code = ReadLatticeFile(m, messages, qrlFile);
  if (code != 0) return code;
  const std::string seed = WannierSeedName(hrFile);
  code = WriteWholeFile(hrFile, FormatWannierHr(m), messages);
  if (code == 0) code = WriteWholeFile(seed + ".win", FormatWannierWin(m), messages);
  if (code == 0) code = WriteWholeFile(seed + "_centres.xyz", FormatWannierCentres(m), messages);
  return code;
}

}  // namespace quarnel
