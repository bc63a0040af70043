// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/python_export.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace quarnel {
namespace {

// Length of the UTF-8 sequence starting at s[i], 0 when it is not a valid one.
std::size_t Utf8Length(const std::string& s, std::size_t i) {
  const auto byte = [&s](std::size_t k) { return static_cast<unsigned char>(s[k]); };
  const unsigned char c = byte(i);
  std::size_t n = c < 0x80                ? 1
                  : c >= 0xC2 && c < 0xE0 ? 2
                  : c >= 0xE0 && c < 0xF0 ? 3
                  : c >= 0xF0 && c < 0xF5 ? 4
                                          : 0;
  if (n == 0 || i + n > s.size()) return 0;
  for (std::size_t k = 1; k < n; ++k)
    if ((byte(i + k) & 0xC0) != 0x80) return 0;
  // Overlong forms, surrogates and code points beyond U+10FFFF.
  if ((c == 0xE0 && byte(i + 1) < 0xA0) || (c == 0xED && byte(i + 1) >= 0xA0) ||
      (c == 0xF0 && byte(i + 1) < 0x90) || (c == 0xF4 && byte(i + 1) >= 0x90))
    return 0;
  return n;
}

bool IsUtf8(const std::string& s) {
  for (std::size_t i = 0; i < s.size();) {
    const std::size_t n = Utf8Length(s, i);
    if (n == 0) return false;
    i += n;
  }
  return true;
}

// The frame's code. The lines a student reads first come first.
const char* const kFrameCode = R"PY(

def bands():
    """The energies at every point of the path, one row per point, highest first."""
    rows = []
    for nx, ny, nz, divisor, label in PATH:
        k = np.array([nx, ny, nz], dtype=float) / divisor
        rows.append(np.linalg.eigvalsh(hamiltonian(k))[::-1])
    return np.array(rows).reshape(len(PATH), N)


def plot(energies):
    """The bands against the point number, special points named on the axis."""
    import matplotlib.pyplot as plt

    fig, ax = plt.subplots()
    ax.plot(np.arange(len(PATH)), energies)
    ticks = [(x, p[4]) for x, p in enumerate(PATH) if p[4]]
    if ticks:
        ax.set_xticks([x for x, _ in ticks], [label for _, label in ticks])
    ax.set_xlabel("k-points")
    ax.set_ylabel("Energy")
    ax.set_title(PATH_TITLE)
    ax.grid(axis="x")
    plt.show()


if __name__ == "__main__":
    energies = bands()
    if "--print" in sys.argv[1:]:
        for row in energies:
            print(" ".join("%.17g" % e for e in row))
    else:
        plot(energies)
)PY";

}  // namespace

std::string PythonString(const std::string& text) {
  const bool utf8 = IsUtf8(text);
  std::string out = "\"";
  for (std::size_t i = 0; i < text.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += static_cast<char>(c);
    } else if (c >= 0x20 && c < 0x7F) {
      out += static_cast<char>(c);
    } else if (c >= 0x80 && utf8) {
      const std::size_t n = Utf8Length(text, i);
      out.append(text, i, n);
      i += n - 1;
    } else {
      char hex[8];
      std::snprintf(hex, sizeof hex, "\\x%02x", c);
      out += hex;
    }
  }
  return out + "\"";
}

std::string PythonNumber(double x) {
  if (std::isnan(x)) return "float(\"nan\")";
  if (std::isinf(x)) return x > 0 ? "float(\"inf\")" : "-float(\"inf\")";
  char buffer[32];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, x);
  std::string text(buffer, result.ptr);
  // A float literal, so that no array of these numbers turns out integer.
  if (text.find_first_of(".en") == std::string::npos) text += ".0";
  return text;
}

std::string PythonBandScript(const PythonModelCode& code, const std::vector<KPathPoint>& path,
                             const PythonScriptSource& source) {
  std::string out = "#!/usr/bin/env python3\n";
  out += "# The tight-binding model of MODEL_FILE (" + code.formName +
         ") and its bands along the k path\n"
         "# PATH_FILE, written by quarnel-cli export. H(k) is built as Quarnel builds it.\n"
         "#   python3 THIS_FILE            plots the bands (needs matplotlib)\n"
         "#   python3 THIS_FILE --print    prints the energies of each point, highest first\n"
         "# This script may be used, changed and shared without conditions.\n"
         "import sys\n\nimport numpy as np\n\n";
  out += "MODEL_FILE = " + PythonString(source.modelFile) + "\n";
  out += "MODEL_HEADER = " + PythonString(source.modelHeader) + "\n";
  out += "ORBITALS = [";
  for (std::size_t j = 0; j < code.orbitalNames.size(); ++j)
    out += (j ? ", " : "") + PythonString(code.orbitalNames[j]);
  out += "]\n\n";
  out += code.hamiltonian;
  out += "\n\nPATH_FILE = " + PythonString(source.kPathName) + "\n";
  out += "PATH_TITLE = " + PythonString(source.kPathTitle) + "\n";
  out +=
      "# The points of the path: k = (nx, ny, nz) / divisor, and the label of a special point.\n";
  out += "PATH = [\n";
  for (const KPathPoint& p : path)
    out += "    (" + std::to_string(p.nx) + ", " + std::to_string(p.ny) + ", " +
           std::to_string(p.nz) + ", " + std::to_string(p.div) + ", " +
           PythonString(p.special ? p.label : std::string()) + "),\n";
  out += "]\n";
  out += kFrameCode;
  return out;
}

}  // namespace quarnel
