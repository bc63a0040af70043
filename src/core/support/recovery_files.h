// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Copies of a modified model, kept while the program runs so that a crash or a power cut loses at
// most the last few seconds of edits. Each process has its own file,
// $XDG_STATE_HOME/quarnel/recovery/<pid>.<extension of the model's form> (default
// ~/.local/state); a copy whose process is gone is what a later start offers to recover.

#include <ctime>
#include <string>
#include <vector>

namespace quarnel {

// The folder, without a trailing "/". XDG_STATE_HOME counts only when it is an absolute path.
std::string RecoveryFolder();

// The copy of process pid for a model whose files have the extension ("qrg", "qre", ...).
std::string RecoveryFileName(long pid, const std::string& extension);

// Writes text as this process's copy: the folder is made when missing (for this user only), the
// text goes to a temporary file that is renamed over the copy, so a copy is always whole. A copy
// of another extension left by this process (the model changed its form) is removed. Returns 0
// or the system error code.
int WriteRecoveryFile(const std::string& extension, const std::string& text);

// Removes this process's copies (after Save, Discard or a clean exit); a missing one is fine.
void RemoveOwnRecoveryFiles();

// Removes one copy, for instance an offered one that was recovered or discarded. False when it
// was there and could not be removed.
bool RemoveRecoveryFile(const std::string& file);

struct RecoveryCopy {
  std::string file;       // full path
  long pid = 0;           // the process that wrote it
  std::string extension;  // the model's form, by its files' extension
  std::time_t modified = 0;
};

// The copies whose process is gone, newest first. A process id in use by a program of another
// name counts as gone (the id was reused). ownPidIsOrphan: true at start, before this process
// wrote anything, so that a copy left by an earlier process with this process's id is offered
// rather than overwritten.
std::vector<RecoveryCopy> OrphanedRecoveryFiles(bool ownPidIsOrphan);

// "Recover the unsaved model from 2026-12-09 14:05?", in local time.
std::string RecoveryQuestion(const RecoveryCopy& copy);

}  // namespace quarnel
