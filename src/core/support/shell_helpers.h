// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Opening documents and web pages in the programs the desktop associates with them. The string
// rules and messages live here; the platform (association lookup, window titles, starting a
// program) is behind ShellPlatform so that tests can script it.

#include <string>
#include <vector>

#include "support/pending_messages.h"

namespace quarnel {

class ShellPlatform {
 public:
  virtual ~ShellPlatform() = default;
  // The command line registered to open files of the extension (no dot); empty when none.
  virtual std::string AssociatedCommand(const std::string& ext) = 0;
  // Titles of the visible top-level windows (empty when the desktop cannot list them).
  virtual std::vector<std::string> VisibleWindows() = 0;
  // Starts program with the arguments, each passed as it is (never through a shell), without
  // waiting. Returns a code >= 32 on success, else 2 (not found), 3 (path not found) or
  // 11 (not a program).
  virtual int Start(const std::string& program, const std::vector<std::string>& arguments,
                    bool minimised) = 0;
};

// The program of a registered command: a quoted first word up to the next quote, else the text
// up to the first blank (the whole text when it has none).
std::string ProgramFromCommand(const std::string& command);

// The words of a desktop entry's Exec value: blanks separate words, double quotes group them and
// a backslash takes the next character as it is. Field codes stay in the words.
std::vector<std::string> ExecLineWords(const std::string& exec);
// The arguments that follow the program for one file: %f %F %u %U become the file, %% a percent
// sign, other field codes disappear (a word of nothing else with them); without a file code the
// file is appended.
std::vector<std::string> ExecArguments(const std::vector<std::string>& words,
                                       const std::string& file);

// The program associated with the extension; empty when none.
std::string AssociatedProgram(ShellPlatform& shell, const std::string& ext);

// Starts program with one argument, shown (showMode 1) or minimised (0); other modes start
// nothing. A failed start queues "ERROR_FILE_NOT_FOUND", "ERROR_PATH_NOT_FOUND" or
// "ERROR_BAD_FORMAT" by its code and returns false.
bool RunProgram(ShellPlatform& shell, PendingMessages& messages, const std::string& program,
                const std::string& argument, int showMode);

// Opens folder/fileName with program. -1 when there is no program ("<file>\r\nUnknown path to
// open"), -2 when checkOpen is 1 and a visible window title contains the file name
// ("<file>\r\nFile is already open"), else the start code ("<command>\r\nFailed to start
// (ERR:<code>)" queued when below 32).
int OpenWithProgram(ShellPlatform& shell, PendingMessages& messages, const std::string& program,
                    const std::string& folder, const std::string& fileName, int checkOpen);

}  // namespace quarnel
