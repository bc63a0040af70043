#include "support/dialogs.h"

#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QStringList>

namespace {

class QtDialogs : public Dialogs {
 public:
  QString OpenFileName(QWidget* parent, const QString& filter,
                       const QString& defaultSuffix) override {
    QFileDialog dialog(parent);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilters(QtNameFilters(filter).split(";;"));
    dialog.setDefaultSuffix(defaultSuffix);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().first();
  }

  QString SaveFileName(QWidget* parent, const QString& filter, const QString& defaultSuffix,
                       const QString& proposed) override {
    QFileDialog dialog(parent);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilters(QtNameFilters(filter).split(";;"));
    dialog.setDefaultSuffix(defaultSuffix);
    if (!proposed.isEmpty()) dialog.selectFile(proposed);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().first();
  }

  void Warning(QWidget* parent, const QString& text) override {
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Warning"), text, QMessageBox::Ok, parent);
    box.exec();
  }

  bool InputText(QWidget* parent, const QString& caption, const QString& prompt,
                 QString& value) override {
    bool ok = false;
    const QString text =
        QInputDialog::getText(parent, caption, prompt, QLineEdit::Normal, value, &ok);
    if (ok) value = text;
    return ok;
  }

  bool Print(QWidget* parent, QPrinter& printer) override {
    QPrintDialog dialog(&printer, parent);
    return dialog.exec() == QDialog::Accepted;
  }
};

Dialogs* installed = nullptr;

}  // namespace

Dialogs& CurrentDialogs() {
  static QtDialogs qtDialogs;
  return installed ? *installed : qtDialogs;
}

void SetDialogs(Dialogs* dialogs) { installed = dialogs; }

QString QtNameFilters(const QString& filter) {
  const QStringList parts = filter.split('|');
  QStringList filters;
  for (int k = 0; k + 1 < parts.size(); k += 2) {
    QString description = parts[k];
    // "*.*" means every file on the system the filter texts were written for.
    description.replace("(*.*)", "(*)");
    filters << description;
  }
  return filters.join(";;");
}
