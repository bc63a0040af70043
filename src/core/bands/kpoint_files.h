// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Reading k paths from files: the program's own lists (.qrk, the k-path text as it is) and
// klist_band files (a label word or a blank, four integers, further fields ignored, "END").

#include <string>
#include <vector>

#include "support/pending_messages.h"

namespace quarnel {

// The non-empty lines of a .qrk file, unchanged. False when the file could not be opened (the
// opener has queued the message). lineNumbers, when given, gets the file line of each line.
bool ReadKpointList(const std::string& name, std::vector<std::string>& lines,
                    PendingMessages& messages, std::vector<int>* lineNumbers = nullptr);

// The k-path line of one klist_band line: " a b c d label" (a trailing blank when unlabelled).
// end is set when the label is "END" (then nothing is to be added).
std::string KlistBandPathLine(const std::string& line, bool& end);

// The k path of a klist_band file. Such a file has no title line, and the first line of a k path
// is never computed, so a title is put first: the labels of the file in order, joined by blanks
// (as in "Y G X M G"), or the file name when no line has a label.
// lineNumbers, when given, gets the file line of each line (0 for the title put first).
bool ReadKlistBand(const std::string& name, std::vector<std::string>& lines,
                   PendingMessages& messages, std::vector<int>* lineNumbers = nullptr);

// A k path file as the bands window opens it: a klist_band file by that extension, otherwise a
// .qrk list; lineNumbers as for the two readers.
bool ReadKPathFile(const std::string& name, std::vector<std::string>& lines,
                   PendingMessages& messages, std::vector<int>* lineNumbers = nullptr);

// The file name without its folder.
std::string FileNameOnly(const std::string& name);

}  // namespace quarnel
