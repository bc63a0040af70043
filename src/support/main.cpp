// The desktop program: creates its windows in a fixed order and runs the event loop. The main
// window's first display completes the start-up (command line, files, placement).

#include <QApplication>
#include <QTimer>
#include <utility>

#include "bands/band_window.h"
#include "mainwindow/main_window.h"
#include "support/about_box.h"
#include "support/app_state.h"
#include "support/diagnostics_window.h"
#include "support/dialogs.h"
#include "support/settings_location.h"
#include "support/text_utils.h"
#include "workbench/eigen_window.h"

namespace {

// Answers the workbench's open dialog with a file named on the command line; everything else
// goes to the program's own dialogs.
class NamedFileDialogs : public Dialogs {
 public:
  NamedFileDialogs(Dialogs& base, QString name) : base_(base), name_(std::move(name)) {}
  QString OpenFileName(QWidget*, const QString&, const QString&) override { return name_; }
  QString SaveFileName(QWidget* parent, const QString& filter, const QString& suffix,
                       const QString& proposed) override {
    return base_.SaveFileName(parent, filter, suffix, proposed);
  }
  void Warning(QWidget* parent, const QString& text) override { base_.Warning(parent, text); }
  bool InputText(QWidget* parent, const QString& caption, const QString& prompt,
                 QString& value) override {
    return base_.InputText(parent, caption, prompt, value);
  }
  bool Print(QWidget* parent, QPrinter& printer) override { return base_.Print(parent, printer); }

 private:
  Dialogs& base_;
  QString name_;
};

// Matrix files (.qmx) on the command line open in the Jacobi workbench, through its Open button,
// so that a double click on one shows it. The main window ignores them.
void OpenMatrixArguments(const QStringList& arguments, TFormQuarnel& formQuarnel,
                         TEigenDlg& eigenDlg) {
  // An option in the first place is never a file, as for the main window.
  const int first = !arguments.isEmpty() && arguments.first().startsWith('-') ? 1 : 0;
  bool opened = false;
  for (int k = first; k < arguments.size(); ++k) {
    if (quarnel::FileExtension(arguments[k].toStdString()) != "qmx") continue;
    // The first paint may calculate a k point, which would replace the matrix: it goes first.
    formQuarnel.FirstPaint();
    NamedFileDialogs named(CurrentDialogs(), arguments[k]);
    SetDialogs(&named);
    eigenDlg.btnOpenAClick();
    SetDialogs(nullptr);
    opened = true;
  }
  if (!opened) return;
  eigenDlg.show();
  // Above the bands window, which the first paint has just shown and which may map later.
  QTimer::singleShot(0, &eigenDlg, [&eigenDlg] { eigenDlg.raise(); });
}

}  // namespace

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  QApplication::setApplicationName("Quarnel");
  // The layout's design sizes assume a compact font, as desktop grids of numbers use.
  QFont font = QApplication::font();
  font.setPointSize(9);
  QApplication::setFont(font);

  AppState& app = App();
  const quarnel::SettingsLocation settings = quarnel::LocateSettingsFromEnvironment();
  app.BaseDir = settings.BaseDir;
  app.ProgramDir = settings.ProgramDir;

  TFormQuarnel formQuarnel;
  app.Messages.Show = [&formQuarnel](const std::string& text) {
    QString shown = QString::fromStdString(text);
    shown.replace("\r\n", "\n");
    CurrentDialogs().Warning(&formQuarnel, shown);
  };
  TUnitPomDlg unitPomDlg;
  TBandDlg bandDlg;
  TEigenDlg eigenDlg;
  TAboutUBox aboutUBox(&formQuarnel);
  // Only the main window's closing ends the program.
  for (QWidget* w : {static_cast<QWidget*>(&unitPomDlg), static_cast<QWidget*>(&bandDlg),
                     static_cast<QWidget*>(&eigenDlg)})
    w->setAttribute(Qt::WA_QuitOnClose, false);
  formQuarnel.SetWindows(&unitPomDlg, &bandDlg, &eigenDlg, &aboutUBox);
  QStringList arguments = QApplication::arguments();
  arguments.removeFirst();
  formQuarnel.SetArguments(arguments);
  formQuarnel.show();
  QTimer::singleShot(0, &formQuarnel, [&formQuarnel, &eigenDlg, arguments] {
    OpenMatrixArguments(arguments, formQuarnel, eigenDlg);
  });
  const int status = QApplication::exec();
  app.Messages.Show = nullptr;
  return status;
}
