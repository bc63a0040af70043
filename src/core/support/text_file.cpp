// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/text_file.h"

#include <cerrno>
#include <filesystem>
#include <system_error>

#if __has_include(<unistd.h>)
#include <fcntl.h>
#include <unistd.h>
#define QUARNEL_HAVE_POSIX 1
#endif

namespace quarnel {

namespace fs = std::filesystem;

std::string NotFoundMessage(const std::string& name) {
  return name + ": not found";
}

std::string FileAccessErrorMessage(const std::string& name, int code) {
  // The number alone tells the user nothing; the system's own words say what went wrong.
  return name + ": File access error #" + std::to_string(code) + ": " +
         std::generic_category().message(code);
}

TextFile::~TextFile() {
  if (!file_) return;
  if (!tempName_.empty()) {
    Discard();
  } else {
    std::fclose(file_);
    file_ = nullptr;
  }
}

void TextFile::Discard() {
  if (file_) std::fclose(file_);
  file_ = nullptr;
  if (!tempName_.empty()) {
    std::error_code ec;
    fs::remove(tempName_, ec);
    tempName_.clear();
  }
}

namespace {

// A file object belongs to one TextFile and is used by one thread: no locking per character.
inline int NextByte(std::FILE* file) {
#ifdef QUARNEL_HAVE_POSIX
  return getc_unlocked(file);
#else
  return std::getc(file);
#endif
}

}  // namespace

bool TextFile::ReadLine(std::string& line) {
  line.clear();
  if (!file_) return false;
  int c = NextByte(file_);
  if (c == EOF) {
    if (std::ferror(file_)) readError_ = errno ? errno : EIO;
    return false;
  }
  // Appended in blocks: a long line costs no more per byte than a short one.
  char block[4096];
  std::size_t n = 0;
  while (c != EOF && c != '\n' && c != '\r') {
    block[n++] = static_cast<char>(c);
    if (n == sizeof block) line.append(block, n), n = 0;
    c = NextByte(file_);
  }
  line.append(block, n);
  if (c == '\r') {
    const int next = NextByte(file_);
    if (next != '\n' && next != EOF) std::ungetc(next, file_);
  }
  if (c == EOF && std::ferror(file_)) readError_ = errno ? errno : EIO;
  return true;
}

bool TextFile::AtEnd() {
  if (!file_) return true;
  const int c = std::getc(file_);
  if (c == EOF) return true;
  std::ungetc(c, file_);
  return false;
}

void TextFile::Write(const std::string& text) {
  if (!file_ || writeError_) return;
  if (std::fwrite(text.data(), 1, text.size(), file_) != text.size())
    writeError_ = errno ? errno : EIO;
}

int TextFile::Close() {
  if (!file_) return 0;
  if (mode_ == kReadText) {
    std::fclose(file_);
    file_ = nullptr;
    return 0;
  }
  int err = writeError_;
  if (!err && std::fflush(file_) != 0) err = errno ? errno : EIO;
#ifdef QUARNEL_HAVE_POSIX
  if (!err && !tempName_.empty() && ::fsync(fileno(file_)) != 0) err = errno ? errno : EIO;
#endif
  if (std::fclose(file_) != 0 && !err) err = errno ? errno : EIO;
  file_ = nullptr;
  if (tempName_.empty()) return err;
  if (err) {
    Discard();
    return err;
  }
  std::error_code ec;
  fs::rename(tempName_, name_, ec);
  if (ec) {
    Discard();
    return ec.value();
  }
  tempName_.clear();
  return 0;
}

namespace {

// A new file beside target. It is created exclusively under a name not in use, so that neither
// a leftover of an earlier save nor a file or link that happens to carry the name is written
// through.
std::FILE* CreateTemporary(const std::string& target, std::string& temp) {
#ifdef QUARNEL_HAVE_POSIX
  for (int attempt = 0; attempt < 100; ++attempt) {
    temp = target + ".quarnel-save" + (attempt ? std::to_string(attempt) : std::string());
    const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0) {
      std::FILE* file = ::fdopen(fd, "wb");
      if (!file) {
        const int error = errno;
        ::close(fd);
        ::unlink(temp.c_str());
        errno = error;
      }
      return file;
    }
    if (errno != EEXIST) return nullptr;
  }
  errno = EEXIST;
  return nullptr;
#else
  temp = target + ".quarnel-save";
  return std::fopen(temp.c_str(), "wb");
#endif
}

}  // namespace

int OpenTextFile(TextFile& f, const std::string& name, int mode, int report,
                 PendingMessages& messages) {
  if (f.file_) f.Close();
  f.name_ = name;
  f.mode_ = mode;
  f.writeError_ = 0;
  f.readError_ = 0;
  auto fail = [&](int code) {
    if (report == 1) AddPendingMessage(messages, FileAccessErrorMessage(name, code));
    return code;
  };
  std::error_code ec;
  const auto status = fs::status(name, ec);
  const bool exists = fs::exists(status);
  // A file that may exist but cannot be looked at (a folder on the way without search
  // permission) is an access error, not a missing file.
  if (ec && status.type() != fs::file_type::not_found) return fail(ec.value());
  if (mode != kCreateText && !exists) {
    if (report == 1) AddPendingMessage(messages, NotFoundMessage(name));
    return -1;
  }
  if (exists && fs::is_directory(status)) return fail(EISDIR);
  if (mode == kReadText || mode == kAppendText) {
    errno = 0;
    f.file_ = std::fopen(name.c_str(), mode == kReadText ? "rb" : "ab");
    if (!f.file_) return fail(errno ? errno : EIO);
    return 0;
  }
  // Create: write beside the target (same file system, so the rename is atomic). A symbolic
  // link is followed so that the link itself survives the save.
  std::string target = name;
  if (fs::is_symlink(fs::symlink_status(name, ec))) {
    const auto resolved = fs::weakly_canonical(name, ec);
    if (!ec) target = resolved.string();
  }
  f.name_ = target;
#ifdef QUARNEL_HAVE_POSIX
  // A file the user made read-only is not replaced behind their back by the rename.
  if (exists && ::access(target.c_str(), W_OK) != 0) {
    f.name_ = name;
    return fail(errno ? errno : EACCES);
  }
#endif
  std::string temp;
  errno = 0;
  f.file_ = CreateTemporary(target, temp);
  if (!f.file_) {
    f.name_ = name;
    return fail(errno ? errno : EIO);
  }
  f.tempName_ = temp;
  if (exists) fs::permissions(temp, status.permissions(), ec);  // keep the target's mode
  return 0;
}

int CloseTextFile(TextFile& f, int report, PendingMessages& messages) {
  const std::string name = f.Name();
  const int code = f.Close();
  if (code != 0 && report == 1) AddPendingMessage(messages, FileAccessErrorMessage(name, code));
  return code;
}

int WriteWholeTextFile(const std::string& name, const std::string& text,
                       PendingMessages& messages) {
  TextFile f;
  const int code = OpenTextFile(f, name, kCreateText, 1, messages);
  if (code != 0) return code;
  f.Write(text);
  return CloseTextFile(f, 1, messages);
}

}  // namespace quarnel
