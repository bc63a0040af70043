// SPDX-License-Identifier: GPL-3.0-or-later
// Matrix files named on the command line open in the Jacobi workbench.

#include "workbench/matrix_arguments.h"

#include <QTimer>
#include <utility>

#include "support/text_utils.h"
#include "widgets/dialogs.h"
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
  SaveChoice AskSave(QWidget* parent, const QString& text) override {
    return base_.AskSave(parent, text);
  }
  RecoverChoice AskRecover(QWidget* parent, const QString& text) override {
    return base_.AskRecover(parent, text);
  }

 private:
  Dialogs& base_;
  QString name_;
};

}  // namespace

// Matrix files (.qmx) on the command line open in the Jacobi workbench, through its Open button,
// so that a double click on one shows it. The main window ignores them.
void OpenMatrixArguments(const QStringList& arguments, const std::function<void()>& firstPaint,
                         TEigenDlg& eigenDlg) {
  // An option in the first place is never a file, as for the main window.
  const int first = !arguments.isEmpty() && arguments.first().startsWith('-') ? 1 : 0;
  bool opened = false;
  for (int k = first; k < arguments.size(); ++k) {
    if (quarnel::FileExtension(arguments[k].toStdString()) != "qmx") continue;
    // The first paint may calculate a k point, which would replace the matrix: it goes first.
    if (firstPaint) firstPaint();
    Dialogs& base = CurrentDialogs();
    NamedFileDialogs named(base, arguments[k]);
    SetDialogs(&named);
    eigenDlg.btnOpenAClick();
    SetDialogs(&base);
    opened = true;
  }
  if (!opened) return;
  eigenDlg.show();
  // Above the bands window, which the first paint has just shown and which may map later.
  QTimer::singleShot(0, &eigenDlg, [&eigenDlg] { eigenDlg.raise(); });
}
