// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program's windows as the desktop program connects them, after their first display and with
// a model read when one is named, for the benchmarks that time a window's run.

#include <QString>

#include "bandwindows/band_window.h"
#include "connect_windows.h"
#include "document/model_document.h"
#include "mainwindow/main_window.h"
#include "widgets/about_box.h"
#include "widgets/diagnostics_window.h"
#include "workbench/eigen_window.h"

struct ProgramWindows {
  explicit ProgramWindows(const QString& model = QString()) {
    ConnectWindows(document, form, &pom, &bands, &eigen, &about);
    form.FirstPaint();
    if (!model.isEmpty()) form.ReadModelFile(model);
  }
  ModelDocument document;
  TFormQuarnel form{document};
  TUnitPomDlg pom;
  TBandDlg bands{document};
  TEigenDlg eigen{document};
  TAboutUBox about{document.Messages(), &form};
};
