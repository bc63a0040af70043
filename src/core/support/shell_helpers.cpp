// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/shell_helpers.h"

#include <algorithm>
#include <cctype>

#include "support/text_utils.h"

namespace quarnel {
namespace {

std::string Lower(std::string s) {
  for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

}  // namespace

std::string ProgramFromCommand(const std::string& command) {
  if (!command.empty() && command.front() == '"') {
    const auto close = command.find('"', 1);
    return command.substr(1, close == std::string::npos ? std::string::npos : close - 1);
  }
  // Without a blank the whole command is the program, not nothing.
  return command.substr(0, command.find(' '));
}

std::vector<std::string> ExecLineWords(const std::string& exec) {
  std::vector<std::string> words;
  std::string word;
  bool inWord = false, quoted = false;
  for (std::size_t k = 0; k < exec.size(); ++k) {
    const char ch = exec[k];
    if (ch == '\\' && k + 1 < exec.size()) {
      word += exec[++k];
      inWord = true;
    } else if (ch == '"') {
      quoted = !quoted;
      inWord = true;  // "" is an empty word
    } else if ((ch == ' ' || ch == '\t') && !quoted) {
      if (inWord) words.push_back(word);
      word.clear();
      inWord = false;
    } else {
      word += ch;
      inWord = true;
    }
  }
  if (inWord) words.push_back(word);
  return words;
}

std::vector<std::string> ExecArguments(const std::vector<std::string>& words,
                                       const std::string& file) {
  std::vector<std::string> args;
  bool fileGiven = false;
  for (std::size_t w = 1; w < words.size(); ++w) {
    const std::string& word = words[w];
    std::string out;
    bool onlyCodes = !word.empty();
    for (std::size_t k = 0; k < word.size(); ++k) {
      if (word[k] != '%' || k + 1 >= word.size()) {
        out += word[k];
        onlyCodes = false;
        continue;
      }
      const char code = word[++k];
      if (code == '%') {
        out += '%';
        onlyCodes = false;
      } else if (code == 'f' || code == 'F' || code == 'u' || code == 'U') {
        out += file;
        fileGiven = true;
        onlyCodes = false;
      }
    }
    if (!onlyCodes) args.push_back(out);
  }
  if (!fileGiven) args.push_back(file);
  return args;
}

std::string AssociatedProgram(ShellPlatform& shell, const std::string& ext) {
  return ProgramFromCommand(shell.AssociatedCommand(ext));
}

bool RunProgram(ShellPlatform& shell, PendingMessages& messages, const std::string& program,
                const std::string& argument, int showMode) {
  int code = 0;
  if (showMode == 0 || showMode == 1) code = shell.Start(program, {argument}, showMode == 0);
  if (code >= 32) return true;
  if (code == 11) AddPendingMessage(messages, "ERROR_BAD_FORMAT");
  if (code == 2) AddPendingMessage(messages, "ERROR_FILE_NOT_FOUND");
  if (code == 3) AddPendingMessage(messages, "ERROR_PATH_NOT_FOUND");
  return false;
}

int OpenWithProgram(ShellPlatform& shell, PendingMessages& messages, const std::string& program,
                    const std::string& folder, const std::string& fileName, int checkOpen) {
  if (program.empty()) {
    AddPendingMessage(messages, fileName + "\r\nUnknown path to open");
    return -1;
  }
  if (checkOpen == 1) {
    const std::string wanted = Lower(fileName);
    for (const std::string& title : shell.VisibleWindows()) {
      if (Lower(title).find(wanted) != std::string::npos) {
        AddPendingMessage(messages, fileName + "\r\nFile is already open");
        return -2;
      }
    }
  }
  const std::string path = JoinPath(folder, fileName);
  const int code = shell.Start(program, {path}, false);
  if (code < 32) {
    AddPendingMessage(messages, "\"" + program + "\" " + path +
                                    "\r\nFailed to start (ERR:" + std::to_string(code) + ")");
  }
  return code;
}

}  // namespace quarnel
