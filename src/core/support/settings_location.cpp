// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/settings_location.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

#include "support/text_utils.h"

namespace quarnel {
namespace {

std::string Trim(const std::string& s) {
  const auto first = s.find_first_not_of(" \t\r\n");
  if (first == std::string::npos) return "";
  return s.substr(first, s.find_last_not_of(" \t\r\n") - first + 1);
}

bool SameText(const std::string& a, const std::string& b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) ==
                  std::tolower(static_cast<unsigned char>(y));
         });
}

}  // namespace

std::string CutAtCaret(const std::string& value) {
  const auto p = value.find('^');  // 0-based; the rule counts from 1
  if (p == std::string::npos || p < 1) return value;
  return value.substr(0, p - 1);
}

std::string IniValue(const std::string& iniText, const std::string& section, const std::string& key,
                     const std::string& def) {
  std::istringstream in(iniText);
  std::string line;
  bool inSection = false;
  while (std::getline(in, line)) {
    line = Trim(line);
    if (line.empty() || line[0] == ';' || line[0] == '#') continue;
    if (line.front() == '[' && line.back() == ']') {
      inSection = SameText(Trim(line.substr(1, line.size() - 2)), section);
      continue;
    }
    const auto eq = line.find('=');
    if (inSection && eq != std::string::npos && SameText(Trim(line.substr(0, eq)), key))
      return Trim(line.substr(eq + 1));
  }
  return def;
}

SettingsLocation LocateSettings(const std::string& envValue, const std::string& iniFile,
                                const std::string& defaultBase) {
  SettingsLocation loc;
  loc.BaseDir = defaultBase;
  const std::string v = CutAtCaret(envValue);
  if (!v.empty()) {
    loc.BaseDir = v;
  } else {
    std::ifstream in(iniFile, std::ios::binary);
    if (in) {
      const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
      loc.BaseDir = IniValue(text, "Directory", "Pendrowe", loc.BaseDir);
    }
  }
  loc.IniDir = JoinPath(loc.BaseDir, "Ini");
  loc.ProgramDir = JoinPath(loc.BaseDir, "Quarnel");
  return loc;
}

SettingsLocation LocateSettingsFromEnvironment() {
  const char* env = std::getenv("PENDROWE");
  const char* home = std::getenv("HOME");
  const char* xdg = std::getenv("XDG_CONFIG_HOME");
  const std::string homeDir = home ? home : "";
  const std::string configDir = xdg && *xdg ? xdg : JoinPath(homeDir, ".config");
  return LocateSettings(env ? env : "", JoinPath(configDir, "Pendrowe.ini"),
                        JoinPath(homeDir, "Pendrowe"));
}

std::string ManualFolder(const std::string& programDir, const std::string& installedDir,
                         const std::string& fileName) {
  std::error_code error;
  const auto present = [&](const std::string& dir) {
    return !dir.empty() && std::filesystem::is_regular_file(JoinPath(dir, fileName), error);
  };
  if (!present(programDir) && present(installedDir)) return installedDir;
  return programDir;
}

}  // namespace quarnel
