// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Text files read and written as bytes. Reading accepts CR LF, LF and a lone CR as line ends.
// Creating writes a temporary file beside the target and renames it over the target only when
// everything was written, so a failed save leaves the previous file intact. A target that may not
// be written (read-only) is refused, as writing it in place would be.

#include <cstdio>
#include <string>

#include "support/pending_messages.h"

namespace quarnel {

enum TextFileMode { kReadText = 0, kAppendText = 1, kCreateText = 2 };

class TextFile {
 public:
  TextFile() = default;
  TextFile(const TextFile&) = delete;
  TextFile& operator=(const TextFile&) = delete;
  ~TextFile();  // closes; an unfinished created file is discarded

  bool IsOpen() const { return file_ != nullptr; }
  const std::string& Name() const { return name_; }

  // Next line without its line end; false at the end of the file or after a read error.
  bool ReadLine(std::string& line);
  bool AtEnd();
  // Error code of the last failed read (0 when none).
  int ReadError() const { return readError_; }

  void Write(const std::string& text);

  // Finishes the file: for a created file flushes, syncs and renames it over the target.
  // Returns 0 or the system error code; a failed create leaves the target as it was.
  int Close();

 private:
  friend int OpenTextFile(TextFile&, const std::string&, int, int, PendingMessages&);
  void Discard();

  std::FILE* file_ = nullptr;
  std::string name_;
  std::string tempName_;  // set while a created file is being written
  int mode_ = kReadText;
  int writeError_ = 0;
  int readError_ = 0;
};

// Opens name for reading (0), appending (1) or creating (2). Returns 0 on success, -1 when a file
// to read or append does not exist, or the system error code. With report = 1 a failure queues
// "%s: not found" or "%s: File access error #%d: <the system's reason>".
int OpenTextFile(TextFile& f, const std::string& name, int mode, int report,
                 PendingMessages& messages);

// Close with the same report as OpenTextFile for a failed write.
int CloseTextFile(TextFile& f, int report, PendingMessages& messages);

// A whole text written as a new file (through a temporary file renamed over name), its failure
// reported as OpenTextFile and CloseTextFile report one; 0 on success.
int WriteWholeTextFile(const std::string& name, const std::string& text, PendingMessages& messages);

// The two file-error texts used everywhere; the second ends with the system's text of code
// ("...: File access error #30: Read-only file system").
std::string NotFoundMessage(const std::string& name);
std::string FileAccessErrorMessage(const std::string& name, int code);

}  // namespace quarnel
