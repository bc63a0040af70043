// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The files of the stress runs, made in memory: one 10 MB line, a million lines, 1,000 orbital
// names, random bytes. Shared by the tests and the benchmark, so both read the same bytes.

#include <cmath>
#include <cstddef>
#include <random>
#include <string>

#include "model/model_data.h"

namespace quarnel::stress {

constexpr std::size_t kLongLine = 10u << 20;  // 10 MB
constexpr int kMillion = 1000000;
constexpr int kManyNames = 1000;
constexpr std::size_t kGarbageBytes = 4u << 20;

// Random bytes of every value, NUL and invalid UTF-8 included (a fixed seed: same bytes each run).
inline std::string RandomBytes(std::size_t n, unsigned seed = 20261208) {
  std::mt19937 gen(seed);
  std::string s(n, '\0');
  for (auto& c : s) c = static_cast<char>(gen() & 0xff);
  return s;
}

// Words cycling through a few forms, so that a line has many words of every length.
inline std::string ManyWords(std::size_t bytes, const char* const* words, int count) {
  std::string s;
  s.reserve(bytes + 32);
  for (int k = 0; s.size() < bytes; k = (k + 1) % count) {
    s += words[k];
    s += ' ';
  }
  return s;
}

// Model files ---------------------------------------------------------------------------------

// A 10 MB line of an unknown keyword between two good orbital lines.
inline std::string ModelLongLine(std::size_t bytes = kLongLine) {
  return "long line\r\n_alfa a -1\r\n" + std::string(bytes, 'x') + "\r\n_alfa b -2\r\n";
}

// A 10 MB pair line with a bad direction tag: it is reported, with its text.
inline std::string ModelLongBadLine(std::size_t bytes = kLongLine) {
  static const char* const words[] = {"1.5", "bepx=2", "junk", "\t", "=", "dstx=0.25"};
  return "long bad line\r\n_alfa a -1\r\n_beta a a (kd) " + ManyWords(bytes, words, 6) + "\r\n";
}

// A 10 MB header and a 10 MB orbital name.
inline std::string ModelLongHeaderAndName(std::size_t bytes = kLongLine) {
  return std::string(bytes, 'h') + "\r\n_alfa " + std::string(bytes, 'n') + " -1\r\n";
}

inline std::string ModelGarbage() {
  return RandomBytes(kGarbageBytes);
}

// Invalid UTF-8, NUL bytes and control characters inside otherwise good lines.
inline std::string ModelBrokenText() {
  return std::string("h\xff\xfe\0eader\r\n", 11) + "_alfa \xc3\x28 -1 tok=2\r\n" +
         std::string("_alfa b\0c -2\r\n", 14) + "_alfa \x80\x80 -3\x01tok=4\r\n" +
         "_beta \xc3\x28 \x80\x80 (ka) bemx=-1\x02"
         "bepx=0 dstx=0.25 sorx=0 soix=0.5\r\n";
}

// A million lines: a header, 16 orbitals, then 999,983 lines that each name a new orbital (all
// refused: 16 are known), so every one is a line message.
inline std::string ModelMillionLines(int lines = kMillion) {
  std::string s = "a million lines\r\n";
  s.reserve(26u * lines);
  for (int k = 1; k < lines; ++k) s += "_alfa o" + std::to_string(k) + " -1\r\n";
  return s;
}

// 1,000 orbital names, each with an orbital line and a pair line to the one before.
inline std::string ModelThousandNames() {
  std::string s = "1000 orbitals\r\n";
  for (int k = 1; k <= kManyNames; ++k)
    s += "_alfa orb" + std::to_string(k) + " -" + std::to_string(k % 7) + " tok=1\r\n";
  for (int k = 2; k <= kManyNames; ++k)
    s += "_beta orb" + std::to_string(k - 1) + " orb" + std::to_string(k) +
         " (ka) bemx=-1 bepx=-1 dstx=0.5\r\n";
  return s;
}

// k-point files --------------------------------------------------------------------------------

inline std::string KpointLongLine(std::size_t bytes = kLongLine) {
  static const char* const words[] = {"0", "20", "0", "20", "X"};
  return "title\r\n" + ManyWords(bytes, words, 5) + "\r\n0 0 0 20 G\r\n";
}

inline std::string KpointMillionLines(int lines = kMillion) {
  std::string s = "a million points\r\n";
  s.reserve(16u * lines);
  for (int k = 1; k < lines; ++k) s += std::to_string(k % 21) + " 0 0 20\r\n";
  return s;
}

inline std::string KlistMillionLines(int lines = kMillion) {
  std::string s;
  s.reserve(40u * lines);
  for (int k = 0; k < lines; ++k)
    s += (k % 100 == 0 ? "P" + std::to_string(k) : std::string()) + "     " +
         std::to_string(k % 21) + "    0    0   20  2.0\n";
  return s + "END\n";
}

// Matrix files ---------------------------------------------------------------------------------

// A 10 MB row: words that are no numbers, then numbers. Every word has to be looked at.
inline std::string MatrixLongLine(std::size_t bytes = kLongLine) {
  static const char* const words[] = {"abc", "x1", "--", "1e", "q"};
  return "title\r\n" + ManyWords(bytes, words, 5) + "1 2 3 4\r\n2 5 0 0\r\n";
}

inline std::string MatrixMillionLines(int lines = kMillion) {
  std::string s = "title\r\n";
  s.reserve(12u * lines);
  for (int k = 0; k < lines; ++k) s += "1 0 2 0\r\n";
  return s;
}

// The full model ------------------------------------------------------------------------------

// A value of the file's resolution (three decimals), so that writing and reading give it back.
inline double Milli(double x) {
  return std::round(x * 1000) / 1000;
}

// 16 orbitals with every term set: on-site energies, picture fields, own-image hoppings and
// effective masses, and for every pair and direction the terms of the given form.
inline ModelData FullModel(int form) {
  ModelData m;
  m.BetaTyp = form;
  m.NOrb = kMaxOrb;
  m.HeaderText = "sixteen orbitals, every term set";
  for (int i = 1; i <= kMaxOrb; ++i) {
    m.OrbName[i] = std::string(OrbKindName[(i - 1) % kOrbKinds + 1]) + "_" + std::to_string(i);
    m.Alpha(i) = -Milli(0.37 * i);
    m.OrbPlotKind[i] = (i - 1) % kOrbKinds + 1;
    m.OrbPlotX[i] = Milli(0.125 * (i % 5));
    m.OrbPlotY[i] = Milli(0.25 * (i % 3));
    for (int d = 1; d <= 3; ++d) m.BetaPlus[i][i][d] = Milli(-0.05 * d - 0.01 * i);
    m.EffMass[i] = form == 2 ? Milli(0.5 + 0.1 * i) : 0;
  }
  for (int i = 1; i < kMaxOrb; ++i)
    for (int j = i + 1; j <= kMaxOrb; ++j)
      for (int d = 1; d <= 3; ++d) {
        const double t = std::sin(i * 1.7 + j * 0.61 + d * 0.29);
        m.Beta[i][j][d] = -Milli(std::fabs(t) * 0.8 + 0.01);
        m.OverlapType[i][j][d] = (i + j + d) % 4 + 1;
        m.Beta2[i][j][d] = -Milli(std::fabs(t) * 0.05);
        m.BetaMinus[i][j][d] = Milli(t * 0.6);
        m.BetaPlus[i][j][d] = Milli(-t * 0.4 + 0.05);
        m.BetaPos[i][j][d] = (i + d) % 3 == 0 ? 1.0 : Milli(0.125 * ((i + j + d) % 8));
        m.SocRe[i][j][d] = Milli(0.02 * std::cos(i + d * j));
        m.SocIm[i][j][d] = Milli(-0.03 * std::sin(j + d * i));
      }
  NormalizeModel(m);
  return m;
}

}  // namespace quarnel::stress
