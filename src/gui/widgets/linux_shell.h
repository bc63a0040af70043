// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The desktop's associations, window list and program start on Linux.

#include <QString>
#include <map>

#include "support/shell_helpers.h"

class LinuxShell : public quarnel::ShellPlatform {
 public:
  // The default application of the extension's MIME type ("xdg-mime query default"), as the
  // Exec line of its desktop entry; empty when there is none.
  std::string AssociatedCommand(const std::string& ext) override;
  // Window titles from "wmctrl -l" where that tool is installed.
  std::vector<std::string> VisibleWindows() override;
  int Start(const std::string& program, const std::vector<std::string>& arguments,
            bool minimised) override;

 private:
  // The Exec line, as words, of each program an association gave.
  std::map<std::string, std::vector<std::string>> execWords_;
};

// The shell in use: LinuxShell unless a test installed another (not owned; nullptr restores).
quarnel::ShellPlatform& CurrentShell();
void SetShell(quarnel::ShellPlatform* shell);

// The Exec line of a desktop entry without its field codes (%f, %U, ...).
QString ExecWithoutFieldCodes(const QString& exec);
