// SPDX-License-Identifier: GPL-3.0-or-later
// The settings file and the environment value that locate the base folder: the first line of the
// input is the PENDROWE value, the rest the Pendrowe.ini text.

#include "fuzz_support.h"
#include "support/settings_location.h"

using namespace quarnel;

namespace {

bool EndsWith(const std::string& s, const std::string& tail) {
  return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  const std::size_t eol = text.find('\n');
  const std::string env = text.substr(0, eol);
  const std::string ini = eol == std::string::npos ? std::string() : text.substr(eol + 1);

  const std::string cut = CutAtCaret(env);
  FUZZ_CHECK(env.compare(0, cut.size(), cut) == 0);  // a prefix of the value

  // Two defaults tell a value from its absence, whatever the text holds.
  const std::string value = IniValue(ini, "Directory", "Pendrowe", "a");
  const bool found = value == IniValue(ini, "Directory", "Pendrowe", "b");
  if (found) {
    FUZZ_CHECK(ini.find(value) != std::string::npos);
    if (!value.empty()) {
      FUZZ_CHECK(value.find_first_of(" \t\r\n") != 0);
      FUZZ_CHECK(std::string(" \t\r\n").find(value.back()) == std::string::npos);
    }
  }

  const std::string& name =
      quarnel_fuzz::InputFile(reinterpret_cast<const std::uint8_t*>(ini.data()), ini.size(), "ini");
  const SettingsLocation loc = LocateSettings(env, name, "/home/user/Pendrowe");
  if (!cut.empty()) FUZZ_CHECK(loc.BaseDir == cut);
  else FUZZ_CHECK(loc.BaseDir == (found ? value : "/home/user/Pendrowe"));
  FUZZ_CHECK(EndsWith(loc.IniDir, "Ini") && EndsWith(loc.ProgramDir, "Quarnel"));
  return 0;
}
