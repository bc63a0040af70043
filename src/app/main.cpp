// SPDX-License-Identifier: GPL-3.0-or-later
// The desktop program: creates its windows in a fixed order and runs the event loop. The main
// window's first display completes the start-up (command line, files, placement).

#include <QApplication>
#include <QDir>
#include <QTimer>

#include "bandwindows/band_window.h"
#include "connect_windows.h"
#include "document/model_document.h"
#include "document/recovery_writer.h"
#include "mainwindow/main_window.h"
#include "support/settings_location.h"
#include "widgets/about_box.h"
#include "widgets/diagnostics_window.h"
#include "widgets/dialogs.h"
#include "widgets/file_drops.h"
#include "workbench/eigen_window.h"
#include "workbench/matrix_arguments.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  QApplication::setApplicationName("Quarnel");
  // The layout's design sizes assume a compact font, as desktop grids of numbers use.
  QFont font = QApplication::font();
  font.setPointSize(9);
  QApplication::setFont(font);

  ModelDocument document;
  const quarnel::SettingsLocation settings = quarnel::LocateSettingsFromEnvironment();
  ProgramPlaces& places = document.Places();
  places.BaseDir = settings.BaseDir;
  places.ProgramDir = settings.ProgramDir;
  places.InstalledManualDir =
      QDir::cleanPath(QApplication::applicationDirPath() + "/../share/quarnel/Quarnel")
          .toStdString();

  TFormQuarnel formQuarnel(document);
  document.Messages().Show = [&formQuarnel](const std::string& text) {
    QString shown = QString::fromStdString(text);
    shown.replace("\r\n", "\n");
    CurrentDialogs().Warning(&formQuarnel, shown);
  };
  TUnitPomDlg unitPomDlg;
  TBandDlg bandDlg(document);
  TEigenDlg eigenDlg(document);
  TAboutUBox aboutUBox(document.Messages(), &formQuarnel);
  // Only the main window's closing ends the program.
  for (QWidget* w : {static_cast<QWidget*>(&unitPomDlg), static_cast<QWidget*>(&bandDlg),
                     static_cast<QWidget*>(&eigenDlg)})
    w->setAttribute(Qt::WA_QuitOnClose, false);
  ConnectWindows(document, formQuarnel, &unitPomDlg, &bandDlg, &eigenDlg, &aboutUBox);
  QStringList arguments = QApplication::arguments();
  arguments.removeFirst();
  formQuarnel.SetArguments(arguments);
  // Files dropped on any window open as on the command line.
  DropTargets drops;
  drops.queryUnsaved = [&formQuarnel] { return formQuarnel.QueryUnsavedChanges(); };
  drops.openModel = [&formQuarnel](const QString& name) { formQuarnel.ReadModelFile(name); };
  drops.openKPath = [&bandDlg](const QString& name) { bandDlg.ReadKpointList(name); };
  // The main window is painted long before a drop.
  drops.openMatrix = [&eigenDlg](const QString& name) {
    OpenMatrixArguments(
        {name}, [] {}, eigenDlg);
  };
  drops.warn = [&formQuarnel](const QString& text) {
    CurrentDialogs().Warning(&formQuarnel, text);
  };
  for (QWidget* w : {static_cast<QWidget*>(&formQuarnel), static_cast<QWidget*>(&bandDlg),
                     static_cast<QWidget*>(&eigenDlg)})
    AcceptFileDrops(w, [drops](const QStringList& names) { OpenDroppedFiles(names, drops); });
  // A copy of the modified model for the next start, should this one crash.
  RecoveryWriter recovery(document);
  formQuarnel.show();
  // A crash copy is offered once the command line's model is shown: the first display processes
  // events, and a copy recovered inside it would be marked unmodified by its end.
  QObject::connect(&formQuarnel, &TFormQuarnel::FirstDisplayComplete, &formQuarnel,
                   [&formQuarnel, &document] {
                     QTimer::singleShot(0, &formQuarnel, [&formQuarnel, &document] {
                       OfferRecoveryCopies(&formQuarnel, document);
                     });
                   });
  QTimer::singleShot(0, &formQuarnel, [&formQuarnel, &eigenDlg, arguments] {
    OpenMatrixArguments(
        arguments, [&formQuarnel] { formQuarnel.FirstPaint(); }, eigenDlg);
  });
  const int status = QApplication::exec();
  document.Messages().Show = nullptr;
  return status;
}
