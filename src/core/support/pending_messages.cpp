// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/pending_messages.h"

namespace quarnel {

void AddPendingMessage(PendingMessages& messages, const std::string& text) {
  if (!messages.Text.empty()) messages.Text += "\r\n";
  messages.Text += text;
  messages.Pending = true;
}

void ShowPendingMessages(PendingMessages& messages) {
  if (messages.Text.empty()) {
    messages.Pending = false;
    return;
  }
  // Empty the buffer before showing: a hook that itself queues messages must not lose them.
  std::string text;
  text.swap(messages.Text);
  messages.Pending = false;
  if (messages.Show) messages.Show(text);
}

}  // namespace quarnel
