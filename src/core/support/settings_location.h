// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where the program family keeps its data: the PENDROWE environment value, else the
// Pendrowe.ini settings file, else a built-in folder. Nothing is created or written there.

#include <string>

namespace quarnel {

// The environment value with its "^" rule: a "^" at position p > 1 (1-based) drops itself, the
// character before it and everything after it.
std::string CutAtCaret(const std::string& value);

// Value of key in [section] of an ini text; def when either is missing. Section and key names
// compare without regard to case, as ini files are usually read.
std::string IniValue(const std::string& iniText, const std::string& section, const std::string& key,
                     const std::string& def);

struct SettingsLocation {
  std::string BaseDir;
  std::string IniDir;
  std::string ProgramDir;  // BaseDir/Quarnel: the manual is looked for there
};

// envValue: PENDROWE as read (empty when unset); iniFile: the settings file to consult when the
// value is empty; defaultBase: the built-in folder.
SettingsLocation LocateSettings(const std::string& envValue, const std::string& iniFile,
                                const std::string& defaultBase);

// The same with the process environment, $XDG_CONFIG_HOME/Pendrowe.ini (default
// ~/.config/Pendrowe.ini) and ~/Pendrowe.
SettingsLocation LocateSettingsFromEnvironment();

// The folder to open fileName from: programDir when the file is there, else installedDir when it
// is there (a packaged copy needs no setting), else programDir, so that a message names the
// folder the user chose.
std::string ManualFolder(const std::string& programDir, const std::string& installedDir,
                         const std::string& fileName);

}  // namespace quarnel
