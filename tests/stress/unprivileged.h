// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Permission cases that hold for root too. Root ignores permission bits, so the action runs in a
// forked child that first drops to the unprivileged user 65534 (as an ordinary user it simply runs
// as that user). The child hands its findings back as text; the parent makes the assertions.

#include <fcntl.h>
#include <grp.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <functional>
#include <string>

namespace quarnel::testing {

constexpr uid_t kNobody = 65534;

// Drops root to user and group 65534; true when the process can no longer bypass permissions.
inline bool DropRoot() {
  if (::geteuid() != 0) return true;
  if (::setgroups(0, nullptr) != 0) return false;
  if (::setresgid(kNobody, kNobody, kNobody) != 0) return false;
  if (::setresuid(kNobody, kNobody, kNobody) != 0) return false;
  return ::geteuid() != 0 && ::getuid() != 0;
}

// Runs action in a forked child, unprivileged unless keepRoot. False (with the reason in
// findings) when the child could not drop root or did not finish.
inline bool RunInChild(const std::function<std::string()>& action, std::string& findings,
                       bool keepRoot = false) {
  findings.clear();
  int pipeFds[2];
  if (::pipe(pipeFds) != 0) return false;
  const pid_t pid = ::fork();
  if (pid < 0) return false;
  if (pid == 0) {
    ::close(pipeFds[0]);
    const bool dropped = keepRoot || DropRoot();
    const std::string out = dropped ? action() : std::string("cannot drop root");
    for (size_t done = 0; done < out.size();) {
      const ssize_t n = ::write(pipeFds[1], out.data() + done, out.size() - done);
      if (n <= 0) break;
      done += static_cast<size_t>(n);
    }
    ::_exit(dropped ? 0 : 3);
  }
  ::close(pipeFds[1]);
  char buffer[4096];
  for (ssize_t n; (n = ::read(pipeFds[0], buffer, sizeof buffer)) > 0;)
    findings.append(buffer, static_cast<size_t>(n));
  ::close(pipeFds[0]);
  int status = 0;
  ::waitpid(pid, &status, 0);
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

inline bool RunUnprivileged(const std::function<std::string()>& action, std::string& findings) {
  return RunInChild(action, findings, false);
}

// Gives the unprivileged child a folder of its own (or the same user's folder): when root runs
// the test, the folder is handed to user 65534.
inline void HandToChild(const std::filesystem::path& path) {
  if (::geteuid() == 0) (void)::chown(path.c_str(), kNobody, kNobody);
}

inline void SetMode(const std::filesystem::path& path, mode_t mode) {
  ::chmod(path.c_str(), mode);
}

}  // namespace quarnel::testing
