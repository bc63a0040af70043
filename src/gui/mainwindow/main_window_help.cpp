// SPDX-License-Identifier: GPL-3.0-or-later
// The Help menu: the manual in the desktop's PDF program, and the About box.

#include <QFileInfo>

#include "document/model_document.h"
#include "mainwindow/main_window.h"
#include "support/settings_location.h"
#include "support/shell_helpers.h"
#include "support/text_file.h"
#include "support/text_utils.h"
#include "widgets/about_box.h"
#include "widgets/linux_shell.h"

namespace {
const char* const kManualFile = "Quarnel_Manual.pdf";
}

void TFormQuarnel::miManual1Click() {
  const ProgramPlaces& places = doc_.Places();
  quarnel::PendingMessages& messages = doc_.Messages();
  const std::string folder =
      quarnel::ManualFolder(places.ProgramDir, places.InstalledManualDir, kManualFile);
  const std::string manual = quarnel::JoinPath(folder, kManualFile);
  if (!places.PdfViewerPath.empty() && !QFileInfo::exists(QString::fromStdString(manual))) {
    // Better than a viewer that opens only to say the same.
    quarnel::AddPendingMessage(messages, quarnel::NotFoundMessage(manual));
    quarnel::ShowPendingMessages(messages);
    return;
  }
  quarnel::OpenWithProgram(CurrentShell(), messages, places.PdfViewerPath, folder, kManualFile, 0);
  if (places.PdfViewerPath.empty()) {
    // The bare "Unknown path to open" leaves the user guessing: say where we looked and what
    // is missing.
    const bool found = QFileInfo::exists(QString::fromStdString(manual));
    quarnel::AddPendingMessage(messages,
                               "The manual was looked for at " + manual +
                                   (found ? " (found)" : " (no such file)") +
                                   "; no program for PDF files is set up on this system.");
  }
  // A manual that cannot be opened is said at once, not with some later operation.
  quarnel::ShowPendingMessages(messages);
}

void TFormQuarnel::miAbout1Click() {
  if (about_) about_->exec();
}
