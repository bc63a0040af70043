// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/recovery_files.h"

#include <dirent.h>
#include <pwd.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fstream>

#include "support/pending_messages.h"
#include "support/text_file.h"

namespace quarnel {
namespace {

std::string HomeFolder() {
  const char* home = std::getenv("HOME");
  if (home && *home) return home;
  const passwd* pw = ::getpwuid(::getuid());
  return pw && pw->pw_dir ? pw->pw_dir : "";
}

// Each missing folder of the path is made readable by this user only: the copies are their work.
int MakeFolders(const std::string& path) {
  for (std::size_t at = 1; at <= path.size(); ++at) {
    if (at < path.size() && path[at] != '/') continue;
    const std::string prefix = path.substr(0, at);
    if (::mkdir(prefix.c_str(), 0700) != 0 && errno != EEXIST) return errno;
  }
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) return errno;
  return S_ISDIR(st.st_mode) ? 0 : ENOTDIR;
}

// "<pid>.<extension>" with a positive pid and an extension of letters and digits; the temporary
// files of a write in progress ("<pid>.<extension>.XXXXXX") are no copies.
bool ParseCopyName(const std::string& name, long& pid, std::string& extension) {
  const std::size_t dot = name.find('.');
  if (dot == 0 || dot == std::string::npos || dot > 9 || dot + 1 == name.size()) return false;
  for (std::size_t i = 0; i < dot; ++i)
    if (!std::isdigit(static_cast<unsigned char>(name[i]))) return false;
  for (std::size_t i = dot + 1; i < name.size(); ++i)
    if (!std::isalnum(static_cast<unsigned char>(name[i]))) return false;
  pid = std::strtol(name.substr(0, dot).c_str(), nullptr, 10);
  extension = name.substr(dot + 1);
  return pid > 0;
}

std::string ProcessName(long pid) {
  std::ifstream in(pid > 0 ? "/proc/" + std::to_string(pid) + "/comm" : "/proc/self/comm");
  std::string name;
  std::getline(in, name);
  return name;
}

// A killed process stays a zombie until its parent reaps it: its work is over all the same.
bool ProcessZombie(long pid) {
  std::ifstream in("/proc/" + std::to_string(pid) + "/stat");
  std::string line;
  std::getline(in, line);
  const std::size_t close = line.rfind(')');
  return close != std::string::npos && close + 2 < line.size() && line[close + 2] == 'Z';
}

bool ProcessGone(long pid) {
  if (::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH) return true;
  if (ProcessZombie(pid)) return true;
  // Alive, or not ours to signal: when /proc tells its name, another program means the id was
  // reused after the writer ended.
  const std::string name = ProcessName(pid), own = ProcessName(0);
  return !name.empty() && !own.empty() && name != own;
}

std::vector<RecoveryCopy> OwnFiles() {
  std::vector<RecoveryCopy> own;
  const long pid = static_cast<long>(::getpid());
  const std::string folder = RecoveryFolder();
  DIR* dir = ::opendir(folder.c_str());
  if (!dir) return own;
  while (const dirent* entry = ::readdir(dir)) {
    RecoveryCopy copy;
    if (ParseCopyName(entry->d_name, copy.pid, copy.extension) && copy.pid == pid) {
      copy.file = folder + "/" + entry->d_name;
      own.push_back(copy);
    }
  }
  ::closedir(dir);
  return own;
}

}  // namespace

std::string RecoveryFolder() {
  const char* xdg = std::getenv("XDG_STATE_HOME");
  std::string base = xdg && xdg[0] == '/' ? std::string(xdg) : HomeFolder() + "/.local/state";
  while (base.size() > 1 && base.back() == '/') base.pop_back();
  return base + "/quarnel/recovery";
}

std::string RecoveryFileName(long pid, const std::string& extension) {
  return RecoveryFolder() + "/" + std::to_string(pid) + "." + extension;
}

int WriteRecoveryFile(const std::string& extension, const std::string& text) {
  const std::string folder = RecoveryFolder();
  if (const int code = MakeFolders(folder)) return code;
  const std::string name = RecoveryFileName(static_cast<long>(::getpid()), extension);
  TextFile file;
  PendingMessages unused;
  int code = OpenTextFile(file, name, kCreateText, 0, unused);
  if (code != 0) return code < 0 ? ENOENT : code;
  file.Write(text);
  code = file.Close();
  if (code != 0) return code;
  for (const RecoveryCopy& copy : OwnFiles())
    if (copy.extension != extension) RemoveRecoveryFile(copy.file);
  return 0;
}

void RemoveOwnRecoveryFiles() {
  for (const RecoveryCopy& copy : OwnFiles()) RemoveRecoveryFile(copy.file);
}

bool RemoveRecoveryFile(const std::string& file) {
  return std::remove(file.c_str()) == 0 || errno == ENOENT;
}

std::vector<RecoveryCopy> OrphanedRecoveryFiles(bool ownPidIsOrphan) {
  std::vector<RecoveryCopy> copies;
  const long own = static_cast<long>(::getpid());
  const std::string folder = RecoveryFolder();
  DIR* dir = ::opendir(folder.c_str());
  if (!dir) return copies;
  while (const dirent* entry = ::readdir(dir)) {
    RecoveryCopy copy;
    if (!ParseCopyName(entry->d_name, copy.pid, copy.extension)) continue;
    if (copy.pid == own ? !ownPidIsOrphan : !ProcessGone(copy.pid)) continue;
    copy.file = folder + "/" + entry->d_name;
    struct stat st {};
    if (::stat(copy.file.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) continue;
    copy.modified = st.st_mtime;
    copies.push_back(copy);
  }
  ::closedir(dir);
  std::sort(copies.begin(), copies.end(), [](const RecoveryCopy& a, const RecoveryCopy& b) {
    return a.modified != b.modified ? a.modified > b.modified : a.file < b.file;
  });
  return copies;
}

std::string RecoveryQuestion(const RecoveryCopy& copy) {
  std::tm local{};
  char when[32] = "an earlier session";
  if (::localtime_r(&copy.modified, &local))
    std::strftime(when, sizeof when, "%Y-%m-%d %H:%M", &local);
  return std::string("Recover the unsaved model from ") + when + "?";
}

}  // namespace quarnel
