// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Warnings collected during an operation and shown together at its end. The desktop program
// shows them in a warning box, the batch front end on standard error; tests read Text.

#include <functional>
#include <string>

namespace quarnel {

struct PendingMessages {
  std::string Text;      // lines separated by CR LF
  bool Pending = false;
  std::function<void(const std::string&)> Show;  // display hook; may be empty
};

void AddPendingMessage(PendingMessages& messages, const std::string& text);

// Hands the collected text to the display hook (when there is any) and empties the buffer.
void ShowPendingMessages(PendingMessages& messages);

}  // namespace quarnel
