// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/text_file.h"

#include <sys/resource.h>
#include <unistd.h>

#include <atomic>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace quarnel {
namespace {

namespace fs = std::filesystem;

class TextFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    static std::atomic<int> counter{0};
    dir_ = fs::temp_directory_path() /
           ("quarnel-support-" + std::to_string(::getpid()) + "-" + std::to_string(++counter));
    fs::create_directories(dir_);
  }
  void TearDown() override {
    std::error_code ec;
    fs::remove_all(dir_, ec);
  }

  std::string PathOf(const std::string& name) const { return (dir_ / name).string(); }

  static void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
  }
  static std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  std::vector<std::string> DirEntries() const {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(dir_)) names.push_back(e.path().filename());
    std::sort(names.begin(), names.end());
    return names;
  }
  std::vector<std::string> ReadAllLines(const std::string& bytes) {
    const std::string path = PathOf("in.txt");
    WriteBytes(path, bytes);
    TextFile f;
    EXPECT_EQ(OpenTextFile(f, path, kReadText, 1, messages_), 0);
    std::vector<std::string> lines;
    std::string line;
    while (lines.size() < 100 && f.ReadLine(line)) lines.push_back(line);
    EXPECT_TRUE(f.AtEnd());
    EXPECT_EQ(f.ReadError(), 0);
    return lines;
  }

  fs::path dir_;
  PendingMessages messages_;
};

using Lines = std::vector<std::string>;

TEST_F(TextFileTest, MissingFileIsReportedAsNotFound) {
  const std::string name = PathOf("missing.tb");
  for (int mode : {kReadText, kAppendText}) {
    messages_.Text.clear();
    TextFile f;
    EXPECT_EQ(OpenTextFile(f, name, mode, 1, messages_), -1) << mode;
    EXPECT_FALSE(f.IsOpen());
    EXPECT_EQ(messages_.Text, name + ": not found");
    EXPECT_TRUE(messages_.Pending);
  }
  messages_.Text.clear();
  TextFile f;
  EXPECT_EQ(OpenTextFile(f, name, kReadText, 0, messages_), -1);
  EXPECT_EQ(messages_.Text, "");  // report = 0 stays quiet
}

TEST_F(TextFileTest, ReadsEveryKindOfLineEnd) {
  EXPECT_EQ(ReadAllLines("one\r\ntwo\nthree\rfour"), (Lines{"one", "two", "three", "four"}));
  EXPECT_EQ(ReadAllLines("a\r\n\r\nb\n"), (Lines{"a", "", "b"}));
  EXPECT_EQ(ReadAllLines("a\r\rb\n\nc\r"), (Lines{"a", "", "b", "", "c"}));
  EXPECT_EQ(ReadAllLines("last line without end"), (Lines{"last line without end"}));
  EXPECT_EQ(ReadAllLines(""), Lines{});
  EXPECT_EQ(ReadAllLines("\n"), Lines{""});
  // Bytes are passed through untouched, including non-ASCII and NUL.
  EXPECT_EQ(ReadAllLines(std::string("\xe9t\xe9\0x\tz\n", 8)),
            Lines{std::string("\xe9t\xe9\0x\tz", 7)});
  EXPECT_EQ(messages_.Text, "");
}

TEST_F(TextFileTest, AtEndReportsWhetherLinesRemain) {
  const std::string path = PathOf("in.txt");
  WriteBytes(path, "x\r\ny\r\n");
  TextFile f;
  ASSERT_EQ(OpenTextFile(f, path, kReadText, 1, messages_), 0);
  std::string line;
  EXPECT_FALSE(f.AtEnd());
  ASSERT_TRUE(f.ReadLine(line));
  EXPECT_FALSE(f.AtEnd());
  ASSERT_TRUE(f.ReadLine(line));
  EXPECT_EQ(line, "y");
  EXPECT_TRUE(f.AtEnd());
  EXPECT_FALSE(f.ReadLine(line));
  EXPECT_EQ(line, "");
  EXPECT_EQ(f.Close(), 0);
  EXPECT_FALSE(f.IsOpen());
}

TEST_F(TextFileTest, DirectoryIsNotReadableAsFile) {
  for (int mode : {kReadText, kAppendText, kCreateText}) {
    messages_.Text.clear();
    TextFile f;
    const int code = OpenTextFile(f, dir_.string(), mode, 1, messages_);
    EXPECT_GT(code, 0) << mode;
    EXPECT_FALSE(f.IsOpen());
    EXPECT_EQ(messages_.Text, FileAccessErrorMessage(dir_.string(), code));
    std::string line;
    EXPECT_FALSE(f.ReadLine(line));
  }
  EXPECT_TRUE(fs::is_directory(dir_));
}

TEST_F(TextFileTest, CreateWritesTargetAndLeavesNothingElse) {
  const std::string path = PathOf("out.tb");
  for (const std::string content : {"first\r\nversion\r\n", "second\n"}) {
    TextFile f;
    ASSERT_EQ(OpenTextFile(f, path, kCreateText, 1, messages_), 0);
    f.Write(content.substr(0, 3));
    f.Write(content.substr(3));
    EXPECT_EQ(CloseTextFile(f, 1, messages_), 0);
    EXPECT_FALSE(f.IsOpen());
    EXPECT_EQ(ReadBytes(path), content);  // the second pass replaces, not appends
    EXPECT_EQ(DirEntries(), Lines{"out.tb"});
  }
  EXPECT_EQ(messages_.Text, "");
}

TEST_F(TextFileTest, AppendAddsToExistingFile) {
  const std::string path = PathOf("log.txt");
  WriteBytes(path, "a\n");
  TextFile f;
  ASSERT_EQ(OpenTextFile(f, path, kAppendText, 1, messages_), 0);
  f.Write("b\n");
  EXPECT_EQ(f.Close(), 0);
  EXPECT_EQ(ReadBytes(path), "a\nb\n");
}

TEST_F(TextFileTest, CreateInMissingOrBogusFolderFails) {
  WriteBytes(PathOf("plain"), "not a folder");
  for (const std::string& name : {PathOf("no/such/dir/out.tb"), PathOf("plain/out.tb")}) {
    messages_.Text.clear();
    TextFile f;
    const int code = OpenTextFile(f, name, kCreateText, 1, messages_);
    EXPECT_GT(code, 0) << name;
    EXPECT_FALSE(f.IsOpen());
    EXPECT_EQ(messages_.Text, FileAccessErrorMessage(name, code));
  }
  EXPECT_EQ(ReadBytes(PathOf("plain")), "not a folder");
  EXPECT_EQ(DirEntries(), Lines{"plain"});
}

TEST_F(TextFileTest, FailedWriteKeepsPreviousFile) {
  // A file-size limit stands in for a full disk.
  struct rlimit old;
  ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &old), 0);
  const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
  struct rlimit small = old;
  small.rlim_cur = 1024;
  if (::setrlimit(RLIMIT_FSIZE, &small) != 0) {
    std::signal(SIGXFSZ, oldHandler);
    GTEST_SKIP() << "cannot limit the file size";
  }
  const std::string path = PathOf("model.tb");
  WriteBytes(path, "previous");
  int code = 0;
  {
    TextFile f;
    ASSERT_EQ(OpenTextFile(f, path, kCreateText, 1, messages_), 0);
    for (int i = 0; i < 100; ++i) f.Write(std::string(99, 'x') + "\n");
    code = CloseTextFile(f, 1, messages_);
  }
  ::setrlimit(RLIMIT_FSIZE, &old);
  std::signal(SIGXFSZ, oldHandler);

  EXPECT_NE(code, 0);
  EXPECT_EQ(messages_.Text, FileAccessErrorMessage(path, code));
  EXPECT_EQ(ReadBytes(path), "previous");
  EXPECT_EQ(DirEntries(), Lines{"model.tb"});
}

TEST_F(TextFileTest, UnfinishedCreateIsDiscarded) {
  const std::string path = PathOf("model.tb");
  WriteBytes(path, "previous");
  {
    TextFile f;
    ASSERT_EQ(OpenTextFile(f, path, kCreateText, 1, messages_), 0);
    f.Write("half a new fi");
  }  // destroyed without Close, as after an exception while saving
  EXPECT_EQ(ReadBytes(path), "previous");
  EXPECT_EQ(DirEntries(), Lines{"model.tb"});

  {
    TextFile f;
    ASSERT_EQ(OpenTextFile(f, PathOf("new.tb"), kCreateText, 1, messages_), 0);
    f.Write("never finished");
  }
  EXPECT_EQ(DirEntries(), Lines{"model.tb"});
}

}  // namespace
}  // namespace quarnel
