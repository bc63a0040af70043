// SPDX-License-Identifier: GPL-3.0-or-later
// The Help menu: the manual in the desktop's PDF program, and the About box.

#include <QFileInfo>

#include "mainwindow/main_window.h"
#include "widgets/about_box.h"
#include "document/app_state.h"
#include "widgets/linux_shell.h"
#include "support/settings_location.h"
#include "support/shell_helpers.h"
#include "support/text_file.h"
#include "support/text_utils.h"

namespace {
const char* const kManualFile = "Quarnel_Manual.pdf";
}

void TFormQuarnel::miManual1Click() {
  AppState& app = App();
  const std::string folder =
      quarnel::ManualFolder(app.ProgramDir, app.InstalledManualDir, kManualFile);
  const std::string manual = quarnel::JoinPath(folder, kManualFile);
  if (!app.PdfViewerPath.empty() && !QFileInfo::exists(QString::fromStdString(manual))) {
    // Better than a viewer that opens only to say the same.
    quarnel::AddPendingMessage(app.Messages, quarnel::NotFoundMessage(manual));
    quarnel::ShowPendingMessages(app.Messages);
    return;
  }
  quarnel::OpenWithProgram(CurrentShell(), app.Messages, app.PdfViewerPath, folder, kManualFile, 0);
  // A manual that cannot be opened is said at once, not with some later operation.
  quarnel::ShowPendingMessages(app.Messages);
}

void TFormQuarnel::miAbout1Click() {
  if (about_) about_->exec();
}
