// SPDX-License-Identifier: GPL-3.0-or-later
// Saves that cannot succeed and files that cannot be read. The previous file must stay byte for
// byte, nothing may be left beside it, and the failure must be said. The permission cases run in
// an unprivileged child, so they hold when the tests run as root.

#include <gtest/gtest.h>
#include <sys/mount.h>
#include <sys/resource.h>

#include <sched.h>
#include <algorithm>
#include <csignal>
#include <cstring>
#include <fstream>

#include "bands/kpoint_files.h"
#include "common/temp_dir.h"
#include "model/model_reader.h"
#include "model/model_writer.h"
#include "stress/stress_files.h"
#include "stress/unprivileged.h"
#include "stress/watchdog.h"
#include "workbench/matrix_file.h"

namespace quarnel {
namespace {

namespace fs = std::filesystem;
using testing::HandToChild;
using testing::RunInChild;
using testing::RunUnprivileged;
using testing::SetMode;
using testing::TempDir;

// The child's findings travel as fields separated by a record separator.
std::string Join(std::initializer_list<std::string> fields) {
  std::string out;
  for (const auto& f : fields) out += f + '\x1e';
  return out;
}
std::vector<std::string> Fields(const std::string& text) {
  std::vector<std::string> fields;
  std::string field;
  for (char c : text) {
    if (c == '\x1e') {
      fields.push_back(field);
      field.clear();
    } else {
      field += c;
    }
  }
  return fields;
}

std::string Listing(const fs::path& folder) {
  std::vector<std::string> names;
  for (const auto& e : fs::directory_iterator(folder)) names.push_back(e.path().filename());
  std::sort(names.begin(), names.end());
  std::string out;
  for (const auto& n : names) out += (out.empty() ? "" : ",") + n;
  return out;
}

std::string Access(const std::string& name, int code) {
  return name + ": File access error #" + std::to_string(code) + ": " + std::strerror(code);
}

const char kPrevious[] = "previous model\r\n_alfa a -1.000\r\n";

class FailingSaves : public testing::Watchdog {
 protected:
  void SetUp() override {
    Watchdog::SetUp();
    HandToChild(dir.Path());
    sub = dir.Path() / "folder";
    fs::create_directory(sub);
    HandToChild(sub);
  }
  void TearDown() override {
    SetMode(sub, 0755);  // so that an ordinary user can clean up
    Watchdog::TearDown();
  }
  // A file of the folder, owned by the child, with the given mode.
  std::string Place(const std::string& name, const std::string& bytes, mode_t mode) {
    const std::string path = (sub / name).string();
    std::ofstream(path, std::ios::binary) << bytes;
    HandToChild(path);
    SetMode(path, mode);
    return path;
  }

  TempDir dir;
  fs::path sub;
};

TEST_F(FailingSaves, UnwritableFolderKeepsThePreviousFile) {
  // The target itself is writable: only writing it in place could get through.
  const std::string target = Place("model.qrg", kPrevious, 0644);
  const std::string fresh = (sub / "new.qrg").string();
  const std::string matrix = (sub / "m.qmx").string();
  SetMode(sub, 0555);
  std::string findings;
  ASSERT_TRUE(RunUnprivileged(
      [&] {
        ModelData m = stress::FullModel(2);
        m.ModelFileName = "before.qrg";
        PendingMessages one, two, three;
        const int a = WriteModelFile(m, one, target);
        const int b = WriteModelFile(m, two, fresh);
        MatrixGrid grid;
        JacobiSolver solver;
        LoadMatrixLines({"1 2 0 1", "2 3 -1 0"}, grid, solver, three);
        const int c = WriteMatrixFile(matrix, grid, solver, three);
        return Join({std::to_string(a), one.Text, m.ModelFileName, std::to_string(b), two.Text,
                     std::to_string(c), three.Text});
      },
      findings))
      << findings;
  const auto f = Fields(findings);
  ASSERT_EQ(f.size(), 7u) << findings;
  EXPECT_EQ(f[0], std::to_string(EACCES));
  EXPECT_EQ(f[1], Access(target, EACCES));
  EXPECT_EQ(f[2], "before.qrg");
  EXPECT_EQ(f[3], std::to_string(EACCES));
  EXPECT_EQ(f[4], Access(fresh, EACCES));
  EXPECT_EQ(f[5], std::to_string(EACCES));
  EXPECT_EQ(f[6], Access(matrix, EACCES));
  EXPECT_EQ(TempDir::Read(target), kPrevious);
  EXPECT_EQ(Listing(sub), "model.qrg");
}

TEST_F(FailingSaves, ReadOnlyTargetIsNotReplaced) {
  const std::string target = Place("model.qrg", kPrevious, 0444);
  std::string findings;
  ASSERT_TRUE(RunUnprivileged(
      [&] {
        ModelData m = stress::FullModel(1);
        PendingMessages messages;
        const int code = WriteModelFile(m, messages, target);
        return Join({std::to_string(code), messages.Text});
      },
      findings))
      << findings;
  const auto f = Fields(findings);
  ASSERT_EQ(f.size(), 2u) << findings;
  EXPECT_EQ(f[0], std::to_string(EACCES));
  EXPECT_EQ(f[1], Access(target, EACCES));
  EXPECT_EQ(TempDir::Read(target), kPrevious);
  EXPECT_EQ(Listing(sub), "model.qrg");
}

TEST_F(FailingSaves, UnreadableFilesKeepWhatWasThere) {
  const std::string file = Place("locked.qrg", kPrevious, 0000);
  std::string findings;
  ASSERT_TRUE(RunUnprivileged(
      [&] {
        ModelData m = stress::FullModel(2);
        m.ModelFileName = "kept.qrg";
        const std::string before = FormatModelFile(m);
        PendingMessages one, two, three;
        const int a = ReadModelFile(m, one, file);
        std::vector<std::string> lines{"keep"};
        const bool b = ReadKpointList(file, lines, two) || ReadKlistBand(file, lines, two);
        MatrixGrid grid;
        JacobiSolver solver;
        LoadMatrixLines({"1 2 0 1", "2 3 -1 0"}, grid, solver, three);
        three.Text.clear();
        const int c = LoadMatrixFile(file, grid, solver, three);
        return Join({std::to_string(a), one.Text, FormatModelFile(m) == before ? "same" : "changed",
                     m.ModelFileName, b ? "read" : "refused", lines.size() == 1 ? lines[0] : "",
                     two.Text, std::to_string(c), three.Text, std::to_string(solver.JacN),
                     std::to_string(grid.RowCount())});
      },
      findings))
      << findings;
  const auto f = Fields(findings);
  ASSERT_EQ(f.size(), 11u) << findings;
  EXPECT_EQ(f[0], std::to_string(EACCES));
  EXPECT_EQ(f[1], Access(file, EACCES));
  EXPECT_EQ(f[2], "same");
  EXPECT_EQ(f[3], "kept.qrg");
  EXPECT_EQ(f[4], "refused");
  EXPECT_EQ(f[5], "keep");
  EXPECT_EQ(f[6], Access(file, EACCES) + "\r\n" + Access(file, EACCES));
  EXPECT_EQ(f[7], std::to_string(EACCES));
  EXPECT_EQ(f[8], Access(file, EACCES));
  EXPECT_EQ(f[9], "4");
  EXPECT_EQ(f[10], "5");
}

TEST_F(FailingSaves, FolderThatCannotBeSearchedIsAnAccessErrorNotAMissingFile) {
  const std::string file = Place("model.qrg", kPrevious, 0644);
  SetMode(sub, 0600);
  std::string findings;
  ASSERT_TRUE(RunUnprivileged(
      [&] {
        ModelData m = stress::FullModel(2);
        PendingMessages one, two;
        const int a = ReadModelFile(m, one, file);
        const int b = WriteModelFile(m, two, file);
        return Join({std::to_string(a), one.Text, std::to_string(b), two.Text});
      },
      findings))
      << findings;
  const auto f = Fields(findings);
  ASSERT_EQ(f.size(), 4u) << findings;
  EXPECT_EQ(f[0], std::to_string(EACCES));
  EXPECT_EQ(f[1], Access(file, EACCES));
  EXPECT_EQ(f[2], std::to_string(EACCES));
  EXPECT_EQ(f[3], Access(file, EACCES));
  SetMode(sub, 0755);
  EXPECT_EQ(TempDir::Read(file), kPrevious);
}

// The disk fills while the new file is written: a file-size limit (any user), and below a small
// file system of its own (where mounting is allowed).
TEST_F(FailingSaves, FileSizeLimitLeavesNoTruncatedTarget) {
  const std::string target = Place("model.qrg", kPrevious, 0644);
  const std::string full = FormatModelFile(stress::FullModel(2));
  ASSERT_GT(full.size(), 16384u);
  std::string findings;
  ASSERT_TRUE(RunInChild(
      [&] {
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit{8192, 8192};
        if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) return std::string("no limit");
        ModelData m = stress::FullModel(2);
        PendingMessages messages;
        const int code = WriteModelFile(m, messages, target);
        return Join({std::to_string(code), messages.Text});
      },
      findings, true))
      << findings;
  const auto f = Fields(findings);
  ASSERT_EQ(f.size(), 2u) << findings;
  EXPECT_EQ(f[0], std::to_string(EFBIG));
  EXPECT_EQ(f[1], Access(target, EFBIG));
  EXPECT_EQ(TempDir::Read(target), kPrevious);
  EXPECT_EQ(Listing(sub), "model.qrg");
}

// Writes text into a file of /proc; false when refused.
bool WriteProc(const char* file, const std::string& text) {
  std::ofstream out(file);
  out << text;
  out.flush();
  return static_cast<bool>(out);
}

// A mount namespace of the calling process's own: root has the right; an ordinary user gets it
// with a user namespace where the system allows them.
bool OwnMountNamespace() {
  if (::geteuid() != 0) {
    const std::string uid = std::to_string(::getuid()), gid = std::to_string(::getgid());
    if (::unshare(CLONE_NEWUSER | CLONE_NEWNS) != 0) return false;
    if (!WriteProc("/proc/self/setgroups", "deny") ||
        !WriteProc("/proc/self/uid_map", "0 " + uid + " 1") ||
        !WriteProc("/proc/self/gid_map", "0 " + gid + " 1"))
      return false;
  } else if (::unshare(CLONE_NEWNS) != 0) {
    return false;
  }
  return ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0;
}

TEST_F(FailingSaves, FullFileSystemLeavesNoTruncatedTarget) {
  // A file system of 64 KB, mounted in the child's own mount namespace.
  const std::string mountPoint = (dir.Path() / "small").string();
  fs::create_directory(mountPoint);
  std::string findings;
  ASSERT_TRUE(RunInChild(
      [&] {
        if (!OwnMountNamespace()) return std::string("skip: no mount namespace of our own");
        if (::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0)
          return std::string("skip: mounts not private");
        if (::mount("tmpfs", mountPoint.c_str(), "tmpfs", 0, "size=64k") != 0)
          return std::string("skip: no tmpfs");
        const std::string small = mountPoint + "/model.qrg";
        std::ofstream(small, std::ios::binary) << kPrevious;
        // Leave less room than the new file needs.
        std::ofstream(mountPoint + "/filler", std::ios::binary) << std::string(40000, 'f');
        ModelData m = stress::FullModel(2);
        PendingMessages messages;
        const int code = WriteModelFile(m, messages, small);
        std::string names;
        for (const auto& e : fs::directory_iterator(mountPoint))
          names += e.path().filename().string() + ",";
        std::ifstream in(small, std::ios::binary);
        const std::string kept{std::istreambuf_iterator<char>(in), {}};
        return Join({std::to_string(code), messages.Text, kept, names, small});
      },
      findings, true))
      << findings;
  if (findings.rfind("skip", 0) == 0) GTEST_SKIP() << findings;
  const auto f = Fields(findings);
  ASSERT_EQ(f.size(), 5u) << findings;
  EXPECT_EQ(f[0], std::to_string(ENOSPC));
  EXPECT_EQ(f[1], Access(f[4], ENOSPC));
  EXPECT_EQ(f[2], kPrevious);
  const bool onlyTwo = f[3] == "model.qrg,filler," || f[3] == "filler,model.qrg,";
  EXPECT_TRUE(onlyTwo) << f[3];
}

TEST_F(FailingSaves, NameOfTheTemporaryFileInUseIsNotWrittenThrough) {
  // A leftover of an interrupted save, or a link someone placed under that name.
  const std::string target = Place("model.qrg", kPrevious, 0644);
  const std::string victim = Place("victim", "victim", 0644);
  fs::create_symlink(victim, target + ".quarnel-save");
  ModelData m = stress::FullModel(2);
  PendingMessages messages;
  ASSERT_EQ(WriteModelFile(m, messages, target), 0) << messages.Text;
  EXPECT_EQ(TempDir::Read(target), FormatModelFile(m));
  EXPECT_EQ(TempDir::Read(victim), "victim");
  EXPECT_TRUE(fs::is_symlink(target + ".quarnel-save"));
  EXPECT_EQ(Listing(sub), "model.qrg,model.qrg.quarnel-save,victim");
}

}  // namespace
}  // namespace quarnel
