// SPDX-License-Identifier: GPL-3.0-or-later
// Recovery copies in a scratch XDG_STATE_HOME: where they go, that a write is whole and replaces
// the form's other copy, and which copies a start offers (a killed process's, never a live one's).
#include "support/recovery_files.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <utime.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace quarnel {
namespace {

namespace fs = std::filesystem;

std::string Read(const std::string& name) {
  std::ifstream in(name, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

void Touch(const std::string& name, const std::string& text, std::time_t when) {
  std::ofstream(name, std::ios::binary) << text;
  const utimbuf times{when, when};
  ASSERT_EQ(::utime(name.c_str(), &times), 0);
}

class RecoveryFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/quarnel-recovery-XXXXXX";
    ASSERT_NE(::mkdtemp(pattern), nullptr);
    scratch_ = pattern;
    ::setenv("XDG_STATE_HOME", scratch_.c_str(), 1);
  }
  void TearDown() override {
    ::unsetenv("XDG_STATE_HOME");
    std::error_code ec;
    fs::remove_all(scratch_, ec);
  }
  std::string scratch_;
};

TEST_F(RecoveryFiles, FolderFollowsXdgStateHomeElseHome) {
  EXPECT_EQ(RecoveryFolder(), scratch_ + "/quarnel/recovery");
  ::setenv("XDG_STATE_HOME", (scratch_ + "//").c_str(), 1);
  EXPECT_EQ(RecoveryFolder(), scratch_ + "/quarnel/recovery");
  // A relative value is ignored, as the base directory rules ask.
  const char* home = std::getenv("HOME");
  const std::string savedHome = home ? home : "";
  ::setenv("HOME", "/home/someone", 1);
  ::setenv("XDG_STATE_HOME", "relative/state", 1);
  EXPECT_EQ(RecoveryFolder(), "/home/someone/.local/state/quarnel/recovery");
  ::unsetenv("XDG_STATE_HOME");
  EXPECT_EQ(RecoveryFileName(42, "qre"), "/home/someone/.local/state/quarnel/recovery/42.qre");
  ::setenv("HOME", savedHome.c_str(), 1);
}

TEST_F(RecoveryFiles, WriteIsWholeInAPrivateFolderAndOneCopyPerProcess) {
  const long pid = static_cast<long>(::getpid());
  ASSERT_EQ(WriteRecoveryFile("qrg", "first\n"), 0);
  ASSERT_EQ(WriteRecoveryFile("qrg", "model text\n_alfa ...\n"), 0);
  const std::string qrg = RecoveryFileName(pid, "qrg");
  EXPECT_EQ(Read(qrg), "model text\n_alfa ...\n");
  struct stat st {};
  ASSERT_EQ(::stat(RecoveryFolder().c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0700u);
  // A running process's copy is not offered, unless it was left by an earlier process with the
  // same id (asked at start, before this one wrote anything).
  EXPECT_TRUE(OrphanedRecoveryFiles(false).empty());
  ASSERT_EQ(OrphanedRecoveryFiles(true).size(), 1u);
  EXPECT_EQ(OrphanedRecoveryFiles(true)[0].extension, "qrg");
  // The model changed its form: its one copy changes extension.
  ASSERT_EQ(WriteRecoveryFile("qre", "form 1\n"), 0);
  EXPECT_FALSE(fs::exists(qrg));
  EXPECT_EQ(Read(RecoveryFileName(pid, "qre")), "form 1\n");
  // No temporary file is left beside the copy.
  EXPECT_EQ(std::distance(fs::directory_iterator(RecoveryFolder()), fs::directory_iterator()), 1);
  RemoveOwnRecoveryFiles();
  EXPECT_TRUE(fs::is_empty(RecoveryFolder()));
  RemoveOwnRecoveryFiles();  // nothing there is fine
  // A state folder that is a file: the write fails and says so.
  std::ofstream(scratch_ + "/file") << "x";
  ::setenv("XDG_STATE_HOME", (scratch_ + "/file").c_str(), 1);
  EXPECT_NE(WriteRecoveryFile("qrg", "text"), 0);
}

TEST_F(RecoveryFiles, KilledProcessesCopiesAreOfferedNewestFirst) {
  ::setenv("TZ", "UTC", 1);
  ::tzset();
  // A process of this program (a fork keeps the name) that is still running, then killed.
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    ::pause();
    ::_exit(0);
  }
  ASSERT_EQ(WriteRecoveryFile("qrg", "mine"), 0);
  fs::create_directories(RecoveryFolder());
  const std::string childCopy = RecoveryFileName(child, "qrg");
  Touch(childCopy, "unsaved", 1765289100);  // 2025-12-09 14:05:00 UTC
  EXPECT_TRUE(OrphanedRecoveryFiles(false).empty());
  ASSERT_EQ(::kill(child, SIGKILL), 0);
  ASSERT_EQ(::waitpid(child, nullptr, 0), child);

  // An older copy of another gone process, and names that are no copies.
  Touch(RecoveryFileName(child == 2 ? 3 : 2, "qre"), "older", 1765289000);
  Touch(RecoveryFolder() + "/" + std::to_string(child) + ".qrg.Ab12Cd", "half written", 0);
  Touch(RecoveryFolder() + "/notes.txt", "", 0);
  Touch(RecoveryFolder() + "/x1.qrg", "", 0);
  fs::create_directory(RecoveryFolder() + "/7.qrg");
  const std::vector<RecoveryCopy> offered = OrphanedRecoveryFiles(false);
  ASSERT_EQ(offered.size(), 2u);
  EXPECT_EQ(offered[0].file, childCopy);
  EXPECT_EQ(offered[0].pid, child);
  EXPECT_EQ(offered[0].modified, 1765289100);
  EXPECT_EQ(RecoveryQuestion(offered[0]), "Recover the unsaved model from 2025-12-09 14:05?");
  EXPECT_EQ(offered[1].extension, "qre");
  EXPECT_TRUE(RemoveRecoveryFile(offered[0].file));
  EXPECT_FALSE(fs::exists(childCopy));
  EXPECT_TRUE(RemoveRecoveryFile(offered[0].file));  // gone already
  ::unsetenv("TZ");
  ::tzset();
}

}  // namespace
}  // namespace quarnel
